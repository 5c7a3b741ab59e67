#pragma once

class CDalvexDoc;

// The default allocation a designer runs on a whole project segment, built only from the
// strategies of the registry (dalvex-cli auto):
//
// 1. Haul reuse within reach: the fills are taken in station order; each takes material from
//    the segment with usable surplus nearest to it (centre to centre, itself first) that lies
//    within the reach and is not behind a structure that may not be crossed, by 远运利用土方优先
//    on a cut run from that segment away from the fill (as far as the reach goes) and a fill
//    run from the fill up to the cut, until the fill is full or nothing in reach is left.
// 2. Waste: for each waste pit, the surplus of the segments in its economic stretch that reach
//    it without crossing a blocked structure goes to it (弃方, then 弃除不可利用方) until it is
//    full; whatever is left is wasted locally (就地弃方, 就地弃除不可利用方).
// 3. Borrow: for each borrow pit, the fills in its economic stretch that it reaches take soil
//    first, then rock (借方土方优先); the fill still missing is taken locally (就地取土, with
//    the 土石含量 setting).
// 4. Finish (结束调配).
//
// All of it is one action in the project file: it reaches the file together or not at all (a
// cancel in the progress window of step 1 keeps nothing).
// The program-wide rule word and class filter are restored afterwards.
class YDPAutoAllocator {
  public:
    struct Options {
        double dReach = 1000.0; // m: longest haul, fill centre to cut centre
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
