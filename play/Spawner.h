#pragma once
// CObjectSpawner turns the current area's placed-object records into live objects: the kinds that
// exist from the start for the whole area when it is entered, every other kind when its tile comes
// into view. Each frame the tiles of the camera's view are compared with the last frame's, and a
// band of three tiles beyond every edge that moved outward is spawned. A record whose object is
// still registered, or whose table forbids it, spawns nothing.
class CStageAreaObjectTable;

struct TileWindow {
    int left = 0, top = 0, right = 0, bottom = 0;
};

class CObjectSpawner {
  public:
    static constexpr int kBand = 3;

    explicit CObjectSpawner(CStageAreaObjectTable* table);

    // Forgets the table and takes the camera's present view as the last one.
    void Reset();
    void SetTable(CStageAreaObjectTable* t) { table = t; }
    // Once per frame, after the camera has moved.
    void Update(int heroX);
    // The records of a rectangle of tiles (columns outer, rows inner).
    void SpawnRect(int firstColumn, int firstRow, int lastColumn, int lastRow, int heroX);
    void SpawnStartRect(int firstColumn, int firstRow, int lastColumn, int lastRow, int heroX);
    void SpawnAt(int column, int row, int heroX);
    void SpawnStartAt(int column, int row, int heroX);

    const TileWindow& GetWindow() const { return window; }
    // The tiles that the camera shows now.
    static TileWindow WindowFromCamera();

  private:
    void Spawn(int column, int row, int heroX, bool startKinds);

    CStageAreaObjectTable* table = nullptr;  // not owned
    TileWindow window;
    TileWindow previous;
};
