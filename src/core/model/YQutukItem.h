#pragma once

#include "core/model/YPitItem.h"

// A borrow pit (one row of [取土坑]).
class YQutukItem : public YPitItem {};
