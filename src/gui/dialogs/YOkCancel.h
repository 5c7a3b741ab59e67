#pragma once

class QDialog;
class QDialogButtonBox;

// The "确定" / "取消" buttons of a dialog, wired to its (virtual) accept and reject.
namespace YOkCancel {
QDialogButtonBox* Make(QDialog& dialog);
} // namespace YOkCancel
