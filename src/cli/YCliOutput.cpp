#include "cli/YCliOutput.h"

#include "core/platform/YUserIO.h"

#include <QFile>
#include <filesystem>

bool YCliOutput::Check(const QString& output, const QString& project, YUserIO& io) {
    namespace fs = std::filesystem;
    const fs::path out(QFile::encodeName(output).toStdString());
    const fs::path own(QFile::encodeName(project).toStdString());
    std::error_code ec;
    const fs::file_status status = fs::status(out, ec);
    if (!fs::exists(status)) {
        return true;
    }
    if (fs::equivalent(out, own, ec)) {
        io.Error(QStringLiteral("输出文件就是项目文件，未写出：%1").arg(output));
        return false;
    }
    if (!fs::is_regular_file(status)) {
        io.Error(QStringLiteral("输出文件不是普通文件，未写出：%1").arg(output));
        return false;
    }
    return true;
}
