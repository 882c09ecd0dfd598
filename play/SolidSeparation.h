#pragma once
// The solid pass of the frame: an overlapping pair whose relation makes one (or both) stop at the
// other is separated along the side where they met, found by replaying the frame's motion; the
// contact flags and the riding links are set and the speeds toward the contact are stopped. This
// is what lets the hero stand on lifts and blocks and be carried by them.
class IBase;

// Which side a was on when the pair met.
enum ContactSide {
    kContactAbove = 0,
    kContactBelow = 1,
    kContactLeft = 2,
    kContactRight = 3,
    kContactNone = 4
};

// Who yields: only b, only a, or both.
enum YieldMode { kYieldB = 1, kYieldA = 2, kYieldBoth = 3 };

// Called by the solid pass for every overlapping pair with a relation either way, a before b.
void ResolveSolidContact(IBase* a, IBase* b);
void PushApart(IBase* a, IBase* b, int mode);
// Replays both boxes from their previous to their current top-left in 100 steps; the side at the
// first step where they overlap, or kContactNone.
int FindContactSide(double aPrevLeft, double aLeft, double aWidth, double aPrevTop, double aTop,
                    double aHeight, double bPrevLeft, double bLeft, double bWidth, double bPrevTop,
                    double bTop, double bHeight, bool partly);
