#pragma once

// 版本 (layout version) of a project file: the number in [版本], which decides the columns every
// record set binds. The schema creates 1 … 6; files of version 6 are made new.
struct YLayoutVersion {
    static constexpr int Oldest = 1;
    static constexpr int Current = 6;
};
