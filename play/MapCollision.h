#pragma once
// Chip queries by world pixel on an area's map. Pixels are cut toward zero to whole pixels and
// then to tiles of 32. An area without a map lets everything through, with friction 1.0 and no
// conveyor.
class CStageArea;
class CStageMap;

bool IsPassableAtPixel(const CStageMap& map, int x, int y);
bool IsPassableAtPixelFrom(const CStageMap& map, int x, int y, int direction);
bool IsPassableAtPixel(const CStageArea& area, int x, int y);
bool IsPassableAtPixelFrom(const CStageArea& area, int x, int y, int direction);
double GetFrictionAtPixel(const CStageArea& area, int x, int y);
double GetConveyorSpeedAtPixel(const CStageArea& area, int x, int y);
