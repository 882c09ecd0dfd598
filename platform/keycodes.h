#pragma once
// Keyboard scan codes as the game knows them (the DirectInput DIK numbering), and the raw
// offsets of mouse and joystick records. The backends translate their own key codes into these.
#include <cstdint>

namespace plat {

// Keyboard scan codes.
enum : uint16_t {
    kKeyEscape = 0x01,
    kKey1 = 0x02, kKey2 = 0x03, kKey3 = 0x04, kKey4 = 0x05, kKey5 = 0x06,
    kKey6 = 0x07, kKey7 = 0x08, kKey8 = 0x09, kKey9 = 0x0A, kKey0 = 0x0B,
    kKeyMinus = 0x0C, kKeyEquals = 0x0D, kKeyBack = 0x0E, kKeyTab = 0x0F,
    kKeyQ = 0x10, kKeyW = 0x11, kKeyE = 0x12, kKeyR = 0x13, kKeyT = 0x14,
    kKeyY = 0x15, kKeyU = 0x16, kKeyI = 0x17, kKeyO = 0x18, kKeyP = 0x19,
    kKeyLBracket = 0x1A, kKeyRBracket = 0x1B, kKeyReturn = 0x1C, kKeyLControl = 0x1D,
    kKeyA = 0x1E, kKeyS = 0x1F, kKeyD = 0x20, kKeyF = 0x21, kKeyG = 0x22,
    kKeyH = 0x23, kKeyJ = 0x24, kKeyK = 0x25, kKeyL = 0x26,
    kKeySemicolon = 0x27, kKeyApostrophe = 0x28, kKeyGrave = 0x29, kKeyLShift = 0x2A,
    kKeyBackslash = 0x2B,
    kKeyZ = 0x2C, kKeyX = 0x2D, kKeyC = 0x2E, kKeyV = 0x2F, kKeyB = 0x30,
    kKeyN = 0x31, kKeyM = 0x32,
    kKeyComma = 0x33, kKeyPeriod = 0x34, kKeySlash = 0x35, kKeyRShift = 0x36,
    kKeyMultiply = 0x37, kKeyLMenu = 0x38, kKeySpace = 0x39, kKeyCapital = 0x3A,
    kKeyF1 = 0x3B, kKeyF2 = 0x3C, kKeyF3 = 0x3D, kKeyF4 = 0x3E, kKeyF5 = 0x3F,
    kKeyF6 = 0x40, kKeyF7 = 0x41, kKeyF8 = 0x42, kKeyF9 = 0x43, kKeyF10 = 0x44,
    kKeyNumLock = 0x45, kKeyScroll = 0x46,
    kKeyNumpad7 = 0x47, kKeyNumpad8 = 0x48, kKeyNumpad9 = 0x49, kKeySubtract = 0x4A,
    kKeyNumpad4 = 0x4B, kKeyNumpad5 = 0x4C, kKeyNumpad6 = 0x4D, kKeyAdd = 0x4E,
    kKeyNumpad1 = 0x4F, kKeyNumpad2 = 0x50, kKeyNumpad3 = 0x51, kKeyNumpad0 = 0x52,
    kKeyDecimal = 0x53,
    kKeyF11 = 0x57, kKeyF12 = 0x58,
    kKeyNumpadEnter = 0x9C, kKeyRControl = 0x9D, kKeyDivide = 0xB5, kKeyRMenu = 0xB8,
    kKeyHome = 0xC7, kKeyUp = 0xC8, kKeyPrior = 0xC9, kKeyLeft = 0xCB, kKeyRight = 0xCD,
    kKeyEnd = 0xCF, kKeyDown = 0xD0, kKeyNext = 0xD1, kKeyInsert = 0xD2, kKeyDelete = 0xD3,
};

// Mouse record offsets: relative axes and the buttons.
enum : uint32_t {
    kMouseOffsetX = 0, kMouseOffsetY = 4, kMouseOffsetWheel = 8,
    kMouseOffsetButton0 = 12,  // buttons 0..3 (left, right, middle, extra) at 12..15
};

// Joystick record offsets (the classic joystick data layout).
enum : uint32_t {
    kJoyOffsetX = 0, kJoyOffsetY = 4, kJoyOffsetZ = 8,
    kJoyOffsetRx = 12, kJoyOffsetRy = 16, kJoyOffsetRz = 20,
    kJoyOffsetSlider0 = 24, kJoyOffsetSlider1 = 28,
    kJoyOffsetPov0 = 32,      // four hats at 32..44, hundredths of a degree, 0xFFFFFFFF centred
    kJoyOffsetButton0 = 48,   // 32 buttons at 48..79
};

// The data byte of a key or button record: bit 7 set while down.
inline constexpr uint32_t kButtonDown = 0x80;

}  // namespace plat
