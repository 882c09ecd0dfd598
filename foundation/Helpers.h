#pragma once
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "foundation/TextConvert.h"
#include "foundation/WindowHelpers.h"
