// All parsed value types of the reader in one include.
#pragma once

#include "swf/reader/ActionTypes.h"
#include "swf/reader/BitmapTypes.h"
#include "swf/reader/ButtonTypes.h"
#include "swf/reader/FilterTypes.h"
#include "swf/reader/FontTypes.h"
#include "swf/reader/MorphShapeTypes.h"
#include "swf/reader/MovieTypes.h"
#include "swf/reader/PlaceTypes.h"
#include "swf/reader/ShapeTypes.h"
#include "swf/reader/SoundTypes.h"
#include "swf/reader/TextTypes.h"
#include "swf/reader/TimelineTypes.h"
