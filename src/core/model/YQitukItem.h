#pragma once

#include "core/model/YPitItem.h"

// A waste pit (one row of [弃土坑]).
class YQitukItem : public YPitItem {};
