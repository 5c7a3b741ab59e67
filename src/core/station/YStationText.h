#pragma once

#include <QString>
#include <optional>

// The text layer of station values: reading and writing one display number, without chain
// breaks. A display number is what the text shows, in metres (K12+045.600 is 12045.6); the
// numbering (YStationNumbering) turns it into the continuous chainage.
//
// Accepted texts (after trimming white space and folding full-width forms to ASCII):
//   display text   PREFIX [-] KM "+" METRES   e.g. "K12+045.600", "AK0012+5", "K-0+012.5"
//   plain number   [-] DIGITS [. DIGITS]      e.g. "12045.6", "-3"
// PREFIX is empty or a run of letters and ASCII digits that begins and ends with a letter;
// KM is one or more ASCII digits; METRES is DIGITS [. DIGITS] below 1000. No exponents, no
// "nan"/"inf", no second "+", no texts longer than MaxTextLength, no magnitude above
// MaxMetres: such texts are refused rather than read as something else.
class YStationText {
  public:
    // Largest magnitude of a station in metres (1 000 000 km): far beyond any road, small
    // enough that millimetres stay exact in a double.
    static constexpr double MaxMetres = 1e9;
    static constexpr int MaxTextLength = 64;

    enum class Form { Display, Plain };
    struct Reading {
        Form form;
        double metres; // the display number for Form::Display, the number as given for Plain
    };

    [[nodiscard]] static std::optional<Reading> Read(const QString& text);

    // Display text of a display number: label, kilometres, "+", metres with three decimals,
    // the metres padded to three integer digits. Rounds to the millimetre first, so 999.9996
    // gives "K1+000.000". A negative number carries "-" after the label ("K-0+012.500"); a
    // number that is not finite or beyond MaxMetres prints as a plain number that Read()
    // refuses (e.g. "nan", "1e+12").
    static QString Format(double displayMetres, const QString& label);

    // A label is usable when it can be read back as a prefix (see above): "K", "AK", "A1K".
    static bool IsValidLabel(const QString& label);

    // Full-width ASCII forms (U+FF01..U+FF5E) to ASCII, the ideographic space to a space and
    // the minus sign U+2212 to "-", so texts typed with a CJK input method read the same.
    static QString FoldWidth(const QString& text);
};
