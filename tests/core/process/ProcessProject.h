#pragma once

#include "core/process/DpProcess.h"

#include <QString>
#include <array>
#include <memory>
#include <vector>

class CDalvexDoc;
class YDocManager;
class YUserIO;

namespace dalvex::test {

// One computation segment of a test project: usable and unusable surplus by class (natural
// m³) and the fill still needed after local reuse (compacted m³).
struct SegSpec {
    double dStart = 0.0;
    double dEnd = 0.0;
    std::array<double, 6> use{};
    std::array<double, 6> unuse{};
    double dFill = 0.0;
};

// A project file made for process tests: preprocessing results written straight into
// [土石计算] and copied into [土石计算中间表], pits, a GUID, ports; the model loaded. Transfers
// are made the way the strategies make them (TakeBefore, lower the after values,
// RecordProcess), without the strategies.
class ProcessProject {
  public:
    // Creates (or, bOpen, opens) the project file at path in the manager.
    ProcessProject(YDocManager& manager, const QString& path, bool bOpen = false);

    CDalvexDoc& Doc() const { return *m_pDoc; }
    bool IsOpen() const { return m_pDoc != nullptr; }

    bool SetGuid(const QString& guid, const QString& name);
    bool AddSegments(const std::vector<SegSpec>& segs);
    bool AddBorrowPit(double road, double branch, const std::array<double, 6>& shares, double soil,
                      double rock);
    bool AddWastePit(double road, double branch, double capacity);
    bool AddPort(int no, double sta, double nearSta, double dist, const QString& name,
                 const QString& path, const QString& guid);
    // Reopens the project file (GUID and ports are read on opening); false when it fails.
    bool Reopen(YDocManager& manager);

    // A road of n segments of 20 m: odd segments cut (soil and rock), even ones fill.
    static std::vector<SegSpec> Road(int n, double scale = 1.0);

    // Transfers like the strategies make them; fraction of the selected source classes moved.
    // Return whether the process was recorded.
    bool Haul(int step, int seq, int cut, int fill, double fraction);
    bool Reuse(int step, int seq, int seg, double fraction);
    bool Borrow(int step, int seq, int pit, int fill, double fraction);
    bool Waste(int step, int seq, int cut, int pit, double fraction, bool bUnusable = false);
    bool LocalWaste(int step, int seq, int cut, bool bUnusable = false);
    bool LocalTake(int step, int seq, int fill);
    // A transfer of `compacted` m³ of class k (1..6) from src to dst, the natural amount
    // following the source's own natural/compacted ratio.
    bool Transfer(int kind, int step, int seq, DpEnd src, DpEnd dst, int pit, int k,
                  double compacted);
    // The two halves of a cross-project haul from this project's cut into other's fill.
    static bool Cross(ProcessProject& from, int outStep, int cut, int outPort, ProcessProject& to,
                      int inStep, int fill, int inPort, double fraction);

    // A whole step: NextStep, n hauls from cut segments into fill segments, EndStep.
    int HaulStep(int cut, int fill, int n, double fraction);

    // Every value of [土石计算中间表] (current segment), by row, in column order.
    std::vector<std::vector<double>> MidTable() const;
    // [土石计算] the same way.
    std::vector<std::vector<double>> CalTable() const;
    // Soil, rock of every borrow pit, then the capacity of every waste pit.
    std::vector<double> Pits() const;
    // The remaining and delivered values of every segment item.
    std::vector<double> Items() const;

  private:
    bool MoveFromSegment(DpProcess& p, double fraction);
    std::vector<std::vector<double>> Table(const QString& name) const;

    CDalvexDoc* m_pDoc = nullptr;
    QString m_strPath;
};

} // namespace dalvex::test
