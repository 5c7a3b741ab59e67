#pragma once

#include "gui/dialogs/YGridDlg.h"

// What the two pit dialogs ("取土坑", "弃土坑") share: the pit's stations (from layout version 3
// with the economic boundaries), resizing, partial editing once the project has results, and
// the placement kept in the profile.
namespace YPitDlgSetup {
YGridDlg::Setup Make(const QString& title, const QString& table, const QString& placementKey,
                     const std::vector<YGridModel::Column>& quantities);
// After the dialog: a project with segments reloads its model so the diagram shows the pits.
void ReloadModel(CDalvexDoc& doc);
} // namespace YPitDlgSetup
