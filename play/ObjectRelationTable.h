#pragma once
// Which pairs of object categories interact, and how: a 32 x 32 table of small integers read
// from "data\obje_relation.dat". rel[x][y] tells what an object of category x does about an
// object of category y.

enum RelationValue {
    kRelationNone = 0,
    kRelationSolid = 1,           // x is stopped by y
    kRelationHit = 2,             // x's Collide is called with y
    kRelationSolidOnRequest = 3,  // solid when x's Collide in the solid pass says so
    kRelationTouch = 4,           // x's OnTouch is called with y
};

class CObjectRelationTable {
  public:
    static constexpr int kSize = 32;
    static constexpr int kReadSize = 30;  // rows and columns 30 and 31 are always 0

    // Reads the file into the matrix. Throws CInitFileException "IFE0300" (cannot be read) or
    // "IFE0301" (too many lines or fields, or a negative cell); after a failure the table holds
    // what it held before.
    static void Load();
    // rel[x][y]; 0 outside the table.
    static int Get(int x, int y);
    static void Clear();
};
