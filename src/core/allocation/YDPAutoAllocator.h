#pragma once

class CDalvexDoc;

// The default allocation a designer runs on a whole project segment, built only from the
// strategies of the registry (dalvex-cli auto):
//
// 1. Haul reuse within reach: the line is cut into windows no longer than the reach (and never
//    across a structure that may not be crossed); in each window every segment is selected as
//    both cut and fill and 远运利用土方优先 runs until it records nothing (the first invocation
//    serves the segments that fill themselves, the next hauls between segments). A second round
//    of windows shifted by half the reach lets material cross the first round's borders.
// 2. Waste: for each waste pit, the surplus of the segments in its economic stretch that reach
//    it without crossing a blocked structure goes to it (弃方, then 弃除不可利用方) until it is
//    full; whatever is left is wasted locally (就地弃方, 就地弃除不可利用方).
// 3. Borrow: for each borrow pit, the fills in its economic stretch that it reaches take soil
//    first, then rock (借方土方优先); the fill still missing is taken locally (就地取土, with
//    the 土石含量 setting).
// 4. Finish (结束调配).
//
// All of it is one action in the project file: it reaches the file together or not at all.
// The program-wide rule word and class filter are restored afterwards.
class YDPAutoAllocator {
  public:
    struct Options {
        double dReach = 1000.0; // m: longest haul window
        bool bFinish = true;
    };
    struct Summary {
        int nHaulSteps = 0;
        int nWasteSteps = 0;
        int nBorrowSteps = 0;
        int nLocalSteps = 0;
        bool bFinished = false; // finishing succeeded
        bool bWritten = false;  // the action reached the file
    };

    [[nodiscard]] static Summary Run(CDalvexDoc& doc, const Options& opt);
};
