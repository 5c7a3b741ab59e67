#include "cli/YCliArgs.h"

#include <cmath>

YCliArgs::YCliArgs(const QStringList& args, const QStringList& flags, const QStringList& valued) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!a.startsWith(QLatin1String("--"))) {
            m_positional.append(a);
        } else if (flags.contains(a)) {
            m_options[a] = QString();
        } else if (valued.contains(a)) {
            if (i + 1 >= args.size()) {
                m_strError = QStringLiteral("选项%1缺少取值").arg(a);
                return;
            }
            m_options[a] = args[++i];
        } else {
            m_strError = QStringLiteral("未知选项%1").arg(a);
            return;
        }
    }
}

std::optional<QString> YCliArgs::Value(const QString& name) const {
    const auto it = m_options.find(name);
    return it == m_options.end() ? std::nullopt : std::optional<QString>(it->second);
}

std::optional<double> YCliArgs::ReadNumber(const QString& text) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

std::optional<double> YCliArgs::Number(const QString& name) {
    const std::optional<QString> text = Value(name);
    if (!text) {
        return std::nullopt;
    }
    const std::optional<double> v = ReadNumber(*text);
    if (!v && m_strError.isEmpty()) {
        m_strError = QStringLiteral("选项%1的取值“%2”不是数字").arg(name, *text);
    }
    return v;
}

std::optional<int> YCliArgs::Integer(const QString& name) {
    const std::optional<QString> text = Value(name);
    if (!text) {
        return std::nullopt;
    }
    bool ok = false;
    const int v = text->toInt(&ok);
    if (!ok) {
        if (m_strError.isEmpty()) {
            m_strError = QStringLiteral("选项%1的取值“%2”不是整数").arg(name, *text);
        }
        return std::nullopt;
    }
    return v;
}
