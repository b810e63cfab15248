// The client and the development server read the same vocabulary: value literals, command words
// and quoted texts, fed as the same cases to both sides.
#include "db/csv_text.h"
#include "editor/completion_words.h"
#include "editor/token_classifier.h"
#include "table/tab_data_model.h"

#include "commands.h"
#include "tokens.h"
#include "value.h"

#include <QtTest>
#include <algorithm>
#include <cstring>

class test_shared_vocabulary : public QObject {
    Q_OBJECT

private slots:
    void literals_are_refused_alike()
    {
        const struct {
            const char *type;
            QByteArray text;
            const char *why;
        } cases[] = {
            {"i08", "127", ""},
            {"i08", "-129", "out of range for i08"},
            {"u08", "-1", "out of range for u08"},
            {"u16", "0x", "not an integer"},
            {"u32", "0b101u4", ""},
            {"i64", "-9223372036854775808", ""},
            {"u64", "18446744073709551616", "out of range for u64"},
            {"float", "3.5e38", "out of range for float"},
            {"float", "1.5F", ""},
            {"double", "1e400", "out of range for double"},
            {"double", "-Infinity", ""},
            {"double", ".5e", "not a number"},
            {"date", "2000-02-29", ""},
            {"date", "1900-02-29", "not a valid date"},
            {"time", "23:59:59.123456789", ""},
            {"time", "12:00:00.", "not a valid time"},
            {"datetime", "2024-02-29 01:02:03", ""},
            {"datetime", "2024-02-29T01:02:03", "not a valid datetime"},
            {"string", QByteArray(65536, 'x'), "string longer than 65535 bytes"},
        };
        for (const auto &c : cases) {
            devserver::kind k;
            QVERIFY(devserver::kind_from_name(c.type, k));
            std::string bytes;
            const std::string server = devserver::parse_literal(k, c.text.toStdString(), bytes);
            const QByteArray client = csv_text::check_value(QByteArray(c.type), c.text);
            QCOMPARE(QByteArray::fromStdString(server), QByteArray(c.why));
            QCOMPARE(client, QByteArray(c.why));
        }
    }

    void command_words_are_the_servers()
    {
        const struct {
            const char *word;
            bool command;
        } cases[] = {
            {"view", true}, {"used", true}, {"field_of", true}, {"fields_of", true}, {"load", true},
            {"export_data", true}, {"select", false}, {"VIEW", false}, {"vie", false},
        };
        devserver::server_state st;
        for (const auto &c : cases) {
            const devserver::outcome r = devserver::execute(st, c.word);
            const bool server = r.ok || r.body.rfind("unknown command", 0) != 0;
            const std::vector<std::string> offered = completion_words::candidates(c.word, {}, true);
            const bool completed = std::find(offered.begin(), offered.end(), c.word) != offered.end();
            QVERIFY2(server == c.command, c.word);
            QVERIFY2(token_classifier::is_command_word(c.word, int(std::strlen(c.word))) == c.command, c.word);
            QVERIFY2(token_classifier::line_valid(c.word, int(std::strlen(c.word))) == c.command, c.word);
            QVERIFY2(completed == c.command, c.word);
        }
    }

    void quoted_strings_read_back_whole()
    {
        const QByteArray texts[] = {"a b", "q\"uote", "back\\slash", "line\nbreak\ttab\r", QByteArray("\x01\x1f", 2),
                                    "", "\xe4\xb8\xad view at"};
        for (const QByteArray &text : texts) {
            const QByteArray literal = literal_for(text, "string");
            QCOMPARE(literal, QByteArray::fromStdString(devserver::quote(text.toStdString())));
            std::vector<devserver::token> t;
            QCOMPARE(devserver::tokenize(("push into t f values " + literal).toStdString(), t), std::string());
            QCOMPARE(t.size(), size_t(6));
            QCOMPARE(QByteArray::fromStdString(t[5].text), text);
        }
    }
};

QTEST_GUILESS_MAIN(test_shared_vocabulary)
#include "test_shared_vocabulary.moc"
