#include "core/model/YClassFilter.h"

quint32 g_nClassFilter = YClassFilter::Initial;
