#pragma once

class CDalvexDoc;

// What the interactive allocation tool hands to the strategies: the source (a run of cut
// segments, or a borrow pit), the destination (a run of fill segments, or a waste pit),
// possibly in two different open projects joined by an exit and an entry port. Indices are
// positions in the document's segment, pit or neighbour-link array; −1 means none.
//
// A borrow pit source is (pit index, −1) with the pit indexed in the destination project's
// borrow-pit array; a waste pit destination is (pit index, −1) in the source project's
// waste-pit array. The command-line program and the tests build selections with the named
// constructors exactly as the tool's picks would.
struct YDPSelection {
    CDalvexDoc* pCutDoc = nullptr;
    int nCutFirst = -1;
    int nCutLast = -1;
    CDalvexDoc* pFillDoc = nullptr;
    int nFillFirst = -1;
    int nFillLast = -1;
    int nInPort = -1;  // entry port: link index in the destination project
    int nOutPort = -1; // exit port: link index in the source project

    // Cut run and fill run in one project.
    static YDPSelection Haul(CDalvexDoc* doc, int cutFirst, int cutLast, int fillFirst,
                             int fillLast) {
        return {doc, cutFirst, cutLast, doc, fillFirst, fillLast, -1, -1};
    }
    // Borrow pit (index in doc's borrow pits) to a fill run of the same project. The tool
    // keeps the source document of a pit pick; the strategies read only the fill document.
    static YDPSelection Borrow(CDalvexDoc* doc, int pit, int fillFirst, int fillLast) {
        return {doc, pit, -1, doc, fillFirst, fillLast, -1, -1};
    }
    // Cut run to a waste pit (index in doc's waste pits).
    static YDPSelection Waste(CDalvexDoc* doc, int cutFirst, int cutLast, int pit) {
        return {doc, cutFirst, cutLast, doc, pit, -1, -1, -1};
    }
    // 就地取弃 picks: a cut run alone, or a fill run alone.
    static YDPSelection LocalCut(CDalvexDoc* doc, int cutFirst, int cutLast) {
        return {doc, cutFirst, cutLast, nullptr, -1, -1, -1, -1};
    }
    static YDPSelection LocalFill(CDalvexDoc* doc, int fillFirst, int fillLast) {
        return {nullptr, -1, -1, doc, fillFirst, fillLast, -1, -1};
    }
    // Cut run in one project, fill run in another, through exit port outPort of the cut
    // project and entry port inPort of the fill project.
    static YDPSelection Cross(CDalvexDoc* cutDoc, int cutFirst, int cutLast, int outPort,
                              CDalvexDoc* fillDoc, int fillFirst, int fillLast, int inPort) {
        return {cutDoc, cutFirst, cutLast, fillDoc, fillFirst, fillLast, inPort, outPort};
    }
};
