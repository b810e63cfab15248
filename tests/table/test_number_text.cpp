// Number texts in the four display modes, read back by the parsers, and the partial-input rule.
#include "table/number_text.h"

#include <QtTest>
#include <cfloat>
#include <cmath>

using namespace value_text;

namespace {
const number_format f_bin = format_of(display_mode::binary);
const number_format f_hex = format_of(display_mode::hexadecimal);
const number_format f_dec = format_of(display_mode::decimal);
const number_format f_typed = format_of(display_mode::typed);

uint64_t s(int64_t v) { return uint64_t(v); }
} // namespace

class test_number_text : public QObject {
    Q_OBJECT
private slots:
    void eight_bit_texts()
    {
        QCOMPARE(int_text(s(-5), value_kind::i08, f_hex), QStringLiteral("-0x05"));
        QCOMPARE(int_text(s(-5), value_kind::i08, f_bin), QStringLiteral("-0b00000101"));
        QCOMPARE(int_text(5, value_kind::u08, f_bin), QStringLiteral("0b0000 0101"));
        QCOMPARE(int_text(10, value_kind::u08, f_typed), QStringLiteral("+0x0Au1"));
        QCOMPARE(int_text(s(-1), value_kind::i08, f_typed), QStringLiteral("-0x01u1"));
        QCOMPARE(int_text(s(-128), value_kind::i08, f_dec), QStringLiteral("-128"));
        QCOMPARE(int_text(s(-128), value_kind::i08, f_hex), QStringLiteral("-0x80"));
        QCOMPARE(int_text(255, value_kind::u08, f_dec), QStringLiteral("255"));
        QCOMPARE(int_text(0, value_kind::u08, f_hex), QStringLiteral("0x00"));
        QCOMPARE(int_text(0, value_kind::i08, f_typed), QStringLiteral("+0x00u1"));
    }

    void wide_kinds_pad_to_whole_bytes()
    {
        QCOMPARE(int_text(0x12C, value_kind::u16, f_hex), QStringLiteral("0x012C"));
        QCOMPARE(int_text(5, value_kind::i32, f_bin), QStringLiteral("0b00000101"));
        QCOMPARE(int_text(300, value_kind::u16, f_bin), QStringLiteral("0b0000000100101100"));
        QCOMPARE(int_text(s(INT64_MIN), value_kind::i64, f_hex), QStringLiteral("-0x8000000000000000"));
        QCOMPARE(int_text(UINT64_MAX, value_kind::u64, f_dec), QStringLiteral("18446744073709551615"));
        QCOMPARE(int_text(UINT64_MAX, value_kind::u64, f_typed), QStringLiteral("+0xFFFFFFFFFFFFFFFFu8"));
        QCOMPARE(int_text(4294967295u, value_kind::u32, f_dec), QStringLiteral("4294967295"));
        QCOMPARE(int_text(s(-2), value_kind::i16, f_typed), QStringLiteral("-0x02u2"));
        // Only the kind's low bytes count: a stray high bit does not change an u16 text.
        QCOMPARE(int_text(0x10005, value_kind::u16, f_dec), QStringLiteral("5"));
    }

    void real_texts()
    {
        QCOMPARE(double_text(1.5, f_dec), QStringLiteral("1.50000000000000000"));
        QCOMPARE(float_text(1.5f, f_dec), QStringLiteral("1.500000000"));
        QCOMPARE(float_text(0.f, f_dec), QStringLiteral("0.000000000"));
        QCOMPARE(double_text(0, f_dec), QStringLiteral("0.00000000000000000"));
        QCOMPARE(float_text(1.5f, f_typed), QStringLiteral("+1.500000000f"));
        QCOMPARE(double_text(-2.25, f_typed), QStringLiteral("-2.25000000000000000d"));
        // Negative zero keeps its own sign and gets no "+" in front of it.
        QCOMPARE(double_text(-0.0, f_typed), QStringLiteral("-0.00000000000000000d"));
        // printf rounds an exact tie to even; so must the grid, since the text is sent.
        QCOMPARE(float_text(0.0009765625f, f_dec), QStringLiteral("0.000976562"));
        // The number display mode leaves floats alone apart from plus and suffix.
        QCOMPARE(double_text(3.0, f_hex), double_text(3.0, f_bin));
        QCOMPARE(float_text(-FLT_MAX, f_dec),
                 QStringLiteral("-340282346638528859811704183484516925440.000000000"));
    }

    void integers_round_trip_in_every_mode()
    {
        const int64_t samples[] = {0, 1, -1, 5, -5, 127, -128, 255, 32767, -32768, 65535,
                                   2147483647, INT64_MIN, INT64_MAX};
        const number_format modes[] = {f_bin, f_hex, f_dec, f_typed};
        for (int i = 0; is_integer(value_kind(i)); ++i) {
            const value_kind kind = value_kind(i);
            const int bits = 8 * int_bytes(kind);
            for (int64_t v : samples) {
                uint64_t b = uint64_t(v);
                if (bits < 64) { // keep the sample inside the kind's range
                    const uint64_t mask = (uint64_t(1) << bits) - 1;
                    b &= mask;
                    if (int_signed(kind) && (b >> (bits - 1)))
                        b |= ~mask;
                }
                for (const auto &m : modes) {
                    const QString t = int_text(b, kind, m);
                    const int_parse p = parse_int(t, kind, m.base);
                    QVERIFY2(p.state == parse_state::complete, qPrintable(t));
                    QCOMPARE(p.bits, b);
                }
            }
        }
    }

    void integer_ranges()
    {
        QCOMPARE(parse_int("255", value_kind::u08, 2).state, parse_state::complete);
        QCOMPARE(parse_int("256", value_kind::u08, 2).state, parse_state::invalid);
        QCOMPARE(parse_int("-1", value_kind::u08, 2).state, parse_state::invalid);
        QCOMPARE(parse_int("-128", value_kind::i08, 2).bits, s(-128));
        QCOMPARE(parse_int("-129", value_kind::i08, 2).state, parse_state::invalid);
        QCOMPARE(parse_int("128", value_kind::i08, 2).state, parse_state::invalid);
        QCOMPARE(parse_int("0x100", value_kind::u08, 1).state, parse_state::invalid);
        QCOMPARE(parse_int("18446744073709551615", value_kind::u64, 2).bits, UINT64_MAX);
        QCOMPARE(parse_int("18446744073709551616", value_kind::u64, 2).state, parse_state::invalid);
        QCOMPARE(parse_int("-9223372036854775808", value_kind::i64, 2).bits, s(INT64_MIN));
        QCOMPARE(parse_int("9223372036854775808", value_kind::i64, 2).state, parse_state::invalid);
        QCOMPARE(parse_int("4294967295", value_kind::u32, 2).bits, uint64_t(4294967295u));
        QCOMPARE(parse_int("-2147483649", value_kind::i32, 2).state, parse_state::invalid);
    }

    void partial_input()
    {
        // Built up piece by piece, each step is acceptable.
        const char *hex_steps[] = {"", "-", "-0", "-0x", "-0x0", "-0x01", "-0x01u", "-0x01u1"};
        for (const char *t : hex_steps)
            QVERIFY2(parse_int(t, value_kind::i08, 1).state != parse_state::invalid, t);
        QCOMPARE(parse_int("-0x", value_kind::i08, 1).state, parse_state::partial);
        QCOMPARE(parse_int("-0x01u", value_kind::i08, 1).state, parse_state::partial);
        QCOMPARE(parse_int("0", value_kind::u08, 1).state, parse_state::complete);
        QCOMPARE(parse_int("0b 0000 01", value_kind::u08, 0).state, parse_state::complete);
        QCOMPARE(parse_int("+", value_kind::u08, 2).state, parse_state::partial);
        // Letters outside the forms are refused.
        QCOMPARE(parse_int("1z", value_kind::i32, 2).state, parse_state::invalid);
        QCOMPARE(parse_int("1A", value_kind::i32, 2).state, parse_state::invalid);
        QCOMPARE(parse_int("0x1G", value_kind::i32, 1).state, parse_state::invalid);
        QCOMPARE(parse_int("0b102", value_kind::i32, 0).state, parse_state::invalid);
        QCOMPARE(parse_int("0x12", value_kind::i32, 2).state, parse_state::invalid);
        QCOMPARE(parse_int("5u2", value_kind::i32, 2).state, parse_state::invalid); // wrong size suffix
        QCOMPARE(parse_int("5u4", value_kind::i32, 2).state, parse_state::complete);
        QCOMPARE(parse_int("u4", value_kind::i32, 2).state, parse_state::invalid);
        QCOMPARE(parse_int("--1", value_kind::i32, 2).state, parse_state::invalid);
        QCOMPARE(parse_int("1-", value_kind::i32, 2).state, parse_state::invalid);
        // Hex digits without the prefix are read in the entry's base.
        QCOMPARE(parse_int("1f", value_kind::i32, 1).bits, uint64_t(31));
    }

    void reals_round_trip()
    {
        const double doubles[] = {0, 1.5, -2.25, 1e-5, 123456789.125, DBL_MAX, -DBL_MAX, 0.1};
        for (double d : doubles)
            for (const auto &m : {f_dec, f_typed}) {
                const real_parse p = parse_real(double_text(d, m), true);
                QCOMPARE(p.state, parse_state::complete);
                QCOMPARE(p.value, QString::number(d, 'f', 17).toDouble());
            }
        const float floats[] = {0.f, 1.5f, -3.75f, FLT_MAX, -FLT_MAX, 0.125f};
        for (float f : floats)
            for (const auto &m : {f_dec, f_typed}) {
                const real_parse p = parse_real(float_text(f, m), false);
                QCOMPARE(p.state, parse_state::complete);
                QCOMPARE(float(p.value), f);
            }
        const real_parse inf = parse_real(float_text(INFINITY, f_typed), false);
        QCOMPARE(inf.state, parse_state::complete);
        QVERIFY(std::isinf(inf.value));
        QVERIFY(std::isnan(parse_real(double_text(NAN, f_typed), true).value));
    }

    void real_input_rule()
    {
        QCOMPARE(parse_real("", false).state, parse_state::partial);
        QCOMPARE(parse_real("-", false).state, parse_state::partial);
        QCOMPARE(parse_real("1e", true).state, parse_state::partial);
        QCOMPARE(parse_real("1e-", true).state, parse_state::partial);
        QCOMPARE(parse_real(".", true).state, parse_state::partial);
        QCOMPARE(parse_real("in", true).state, parse_state::partial);
        QCOMPARE(parse_real("1.", true).state, parse_state::complete);
        QCOMPARE(parse_real("1x", true).state, parse_state::invalid);
        QCOMPARE(parse_real("1.5d", false).state, parse_state::invalid); // suffix of the other kind
        QCOMPARE(parse_real("1e39", false).state, parse_state::invalid); // beyond float
        QCOMPARE(parse_real("1e39", true).state, parse_state::complete);
        QCOMPARE(parse_real("1e400", true).state, parse_state::invalid);
        QCOMPARE(parse_real("1,5", true).state, parse_state::invalid);
    }
};

QTEST_APPLESS_MAIN(test_number_text)
#include "test_number_text.moc"
