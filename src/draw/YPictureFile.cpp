#include "draw/YPictureFile.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

bool YPictureFile::Save(const QString& path, QSize size, const QString& title, const Render& render,
                        QString& error) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("svg") &&
        suffix != QLatin1String("pdf")) {
        error = QStringLiteral("不支持的图片格式：%1（可用 .png、.svg、.pdf）").arg(path);
        return false;
    }
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written && suffix == QLatin1String("png")) {
        QImage image(size, QImage::Format_RGB32);
        {
            QPainter p(&image);
            render(p, size);
        }
        written = image.save(&file, "PNG");
    } else if (written && suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(title);
        QPainter p(&svg);
        render(p, size);
    } else if (written) {
        QPdfWriter pdf(&file);
        pdf.setTitle(title);
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter p(&pdf);
        render(p, size);
    }
    if (!written || !file.commit()) {
        error = QStringLiteral("不能写入文件：%1").arg(path);
        return false;
    }
    return true;
}
