#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>

// The arguments of one verb: positional words and "--name [value]" options. Options not
// declared, a missing value and a number that does not read are errors for the usage message.
class YCliArgs {
  public:
    YCliArgs(const QStringList& args, const QStringList& flags, const QStringList& valued);

    bool Ok() const { return m_strError.isEmpty(); }
    const QString& Error() const { return m_strError; }
    const QStringList& Positional() const { return m_positional; }

    bool Has(const QString& name) const { return m_options.count(name) > 0; }
    std::optional<QString> Value(const QString& name) const;
    // The option's value as a number; empty when absent. A value that is not a finite number
    // sets the error.
    std::optional<double> Number(const QString& name);
    std::optional<int> Integer(const QString& name);

    // A finite decimal number, or empty.
    static std::optional<double> ReadNumber(const QString& text);

  private:
    QStringList m_positional;
    std::map<QString, QString> m_options;
    QString m_strError;
};
