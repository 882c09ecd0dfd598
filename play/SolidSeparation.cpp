#include "play/SolidSeparation.h"

#include <cmath>

#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/WindowHelpers.h"
#include "play/Base.h"
#include "play/ObjectRelationTable.h"

namespace {
constexpr int kReplaySteps = 100;
constexpr double kCornerColumn = 2.0;
constexpr double kMaxCorrectionSpeed = 300.0;  // pixels per second

// Whether x is held by y: plainly solid, or solid because x's Collide says so.
bool IsHeld(IBase* x, IBase* y, int rel) {
    return rel == kRelationSolid || (rel == kRelationSolidOnRequest && x->Collide(y) != 0);
}

bool IsSolidRelation(int rel) { return rel == kRelationSolid || rel == kRelationSolidOnRequest; }

// Speeds toward the contacts gathered so far in the frame are stopped; landing keeps at most four
// pixels per frame downward so that a resting object stays pressed on its support.
void StopTowardContacts(IBase* o) {
    const double landingCap = 4.0 * GetFrameRate();
    if (o->touchTop && o->vy < 0 && o->stopOnTouchTop) o->vy = 0;
    if (o->touchBottom && o->vy > landingCap && o->stopOnTouchBottom) o->vy = landingCap;
    if (o->touchLeft && o->vx < 0 && o->stopOnTouchLeft) o->vx = 0;
    if (o->touchRight && o->vx > 0 && o->stopOnTouchRight) o->vx = 0;
}

// A correction never moves an edge faster than the limit from where it was last frame.
double LimitCorrection(double corrected, double previous) {
    const double limit = kMaxCorrectionSpeed * GetFrameTime();
    const double d = corrected - previous;
    if (std::fabs(d) >= limit) return previous + (d > 0 ? limit : -limit);
    return corrected;
}
}  // namespace

void ResolveSolidContact(IBase* a, IBase* b) {
    const int ab = CObjectRelationTable::Get(a->category, b->category);
    const int ba = CObjectRelationTable::Get(b->category, a->category);
    int mode = 0;
    if (IsHeld(a, b, ab)) mode = IsSolidRelation(ba) ? kYieldBoth : kYieldA;
    if (IsHeld(b, a, ba))
        mode = IsSolidRelation(ab) ? kYieldBoth : kYieldB;
    else if (mode == 0)
        return;
    PushApart(a, b, mode);
    if (mode != kYieldB) StopTowardContacts(a);
    if (mode != kYieldA) StopTowardContacts(b);
}

int FindContactSide(double aPrevLeft, double aLeft, double aWidth, double aPrevTop, double aTop,
                    double aHeight, double bPrevLeft, double bLeft, double bWidth, double bPrevTop,
                    double bTop, double bHeight, bool partly) {
    for (int i = 0; i < kReplaySteps; ++i) {
        const double t = i / static_cast<double>(kReplaySteps - 1);
        const double al = aPrevLeft + (aLeft - aPrevLeft) * t, at = aPrevTop + (aTop - aPrevTop) * t;
        const double bl = bPrevLeft + (bLeft - bPrevLeft) * t, bt = bPrevTop + (bTop - bPrevTop) * t;
        if (!IsRectOverlap(al, at, al + aWidth, at + aHeight, bl, bt, bl + bWidth, bt + bHeight)) continue;
        return partly ? GetContactSide(al, at, al + aWidth, at + aHeight, bl, bt, bl + bWidth, bt + bHeight)
                      : GetContactSideByCentre(al, at, al + aWidth, at + aHeight, bl, bt, bl + bWidth,
                                               bt + bHeight);
    }
    return kContactNone;
}

void PushApart(IBase* a, IBase* b, int mode) {
    const bool partly = a->IsPartlySolidPair(b);
    const double aPL = a->GetPreviousLeft(), aL = a->GetLeft(), aW = a->GetWidth();
    const double aPT = a->GetPreviousTop(), aT = a->GetTop(), aH = a->GetHeight();
    const double bPL = b->GetPreviousLeft(), bL = b->GetLeft(), bW = b->GetWidth();
    const double bPT = b->GetPreviousTop(), bT = b->GetTop(), bH = b->GetHeight();
    const int side = FindContactSide(aPL, aL, aW, aPT, aT, aH, bPL, bL, bW, bPT, bT, bH, partly);

    switch (side) {
        case kContactAbove:
            if (!a->solidBottom && !b->solidTop) return;
            break;
        case kContactBelow:
            if (!a->solidTop && !b->solidBottom) return;
            break;
        case kContactLeft:
            if (!a->solidRight && !b->solidLeft) return;
            break;
        case kContactRight:
            if (!a->solidLeft && !b->solidRight) return;
            break;
        default:
            return;
    }

    // Two partly solid objects moving apart along the contact axis make no contact.
    if (partly) {
        const double prevDy = bPT - aPT, dy = bT - aT, prevDx = bPL - aPL, dx = bL - aL;
        if (side == kContactAbove && prevDy < dy) return;
        if (side == kContactBelow && prevDy > dy) return;
        if (side == kContactLeft && prevDx < dx) return;
        if (side == kContactRight && prevDx > dx) return;
    }
    const bool vertical = side == kContactAbove || side == kContactBelow;
    if (vertical && (std::fabs(aL + aW - bL) <= kCornerColumn || std::fabs(bL + bW - aL) <= kCornerColumn))
        return;

    int yield = mode;
    if (mode == kYieldBoth && vertical) yield = side == kContactAbove ? kYieldA : kYieldB;

    double aNewL = aL, aNewT = aT, bNewL = bL, bNewT = bT;
    if (yield == kYieldBoth) {
        // Both give way where their approach speeds divide last frame's gap.
        if (side == kContactLeft) {
            const double dA = aL - aPL, dB = bPL - bL;
            double s = dA + dB;
            if (s == 0) s = 0.0001;
            const double r = aPL + aW;
            const double meet = r + (dA / s) * (bPL - r);
            aNewL = meet - aW;
            bNewL = meet;
        } else {
            const double dB = bL - bPL, dA = aPL - aL;
            double s = dA + dB;
            if (s == 0) s = 0.0001;
            const double r = bPL + bW;
            const double meet = r + (dB / s) * (aPL - r);
            bNewL = meet - bW;
            aNewL = meet;
        }
    } else if (yield == kYieldA) {
        switch (side) {
            case kContactAbove:
                aNewT = std::trunc(bT - aH);
                break;
            case kContactBelow:
                aNewT = bT + bH;
                break;
            case kContactLeft:
                aNewL = std::trunc(bL - aW);
                break;
            default:
                aNewL = bL + bW;
                break;
        }
    } else {
        switch (side) {
            case kContactAbove:
                bNewT = aT + aH;
                break;
            case kContactBelow:
                bNewT = std::trunc(aT - bH);
                break;
            case kContactLeft:
                bNewL = aL + aW;
                break;
            default:
                bNewL = std::trunc(aL - bW);
                break;
        }
    }

    switch (side) {
        case kContactAbove:
            a->touchBottom = true;
            b->touchTop = true;
            if (b->solidTop && mode != kYieldB) {
                a->riddenObject = b;
                b->riders.push_back(a);
            }
            break;
        case kContactBelow:
            a->touchTop = true;
            b->touchBottom = true;
            if (a->solidTop && mode != kYieldA) {
                b->riddenObject = a;
                a->riders.push_back(b);
            }
            break;
        case kContactLeft:
            a->touchRight = true;
            b->touchLeft = true;
            break;
        default:
            a->touchLeft = true;
            b->touchRight = true;
            break;
    }

    // A moving object's corrected edge, limited in speed, becomes its position.
    auto place = [vertical](IBase* o, double left, double top, double prevLeft, double prevTop) {
        if (vertical)
            top = LimitCorrection(top, prevTop);
        else
            left = LimitCorrection(left, prevLeft);
        o->SetLeft(left);
        o->SetTop(top);
    };
    if (yield != kYieldB) place(a, aNewL, aNewT, aPL, aPT);
    if (yield != kYieldA) place(b, bNewL, bNewT, bPL, bPT);
}
