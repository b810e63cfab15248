// Records of a CSV file through a sliding window: a record that reaches the window's end may
// be cut, so it is read again once more of the file is there.
#include "db/csv_file_stream.h"

namespace {

constexpr qint64 block = qint64(1) << 20;

} // namespace

csv_file_stream::csv_file_stream(QFile &file, const QByteArray &sep) : file_(file), sep_(sep) {}

bool csv_file_stream::read_more()
{
    if (at_end_)
        return false;
    // What was read already goes; the record being read stays.
    window_.remove(0, int(pos_));
    base_ += pos_;
    pos_ = last_ = 0;
    const int had = window_.size();
    window_.resize(int(had + block));
    const qint64 n = file_.read(window_.data() + had, block);
    window_.resize(int(had + qMax<qint64>(n, 0)));
    if (n < 0) {
        error_ = "cannot read the file: " + file_.errorString().toUtf8();
        at_end_ = true;
        return false;
    }
    if (n == 0)
        at_end_ = true;
    if (base_ == 0 && had == 0 && window_.startsWith("\xEF\xBB\xBF"))
        pos_ = last_ = 3;
    return n > 0;
}

bool csv_file_stream::next(csv_text::csv_record &rec)
{
    if (!next(spans_, rec.line))
        return false;
    rec.values.clear();
    for (const csv_text::field_span &f : spans_)
        rec.values.append(csv_text::field_value(window_, f));
    return true;
}

bool csv_file_stream::next(std::vector<csv_text::field_span> &fields, qint64 &line)
{
    for (;;) {
        csv_text::reader r(window_, sep_, pos_, line_);
        const bool got = r.next(fields, line);
        // Stopped before the window's end, or at the file's: the record is whole.
        if (r.position() < window_.size() || at_end_) {
            if (!got) {
                if (error_.isEmpty())
                    error_ = r.error();
                return false;
            }
            last_ = pos_;
            pos_ = r.position();
            line_ = r.line();
            return true;
        }
        if (window_.size() - pos_ > longest_record) {
            error_ = "line " + QByteArray::number(line_) + ": a record longer than " +
                     QByteArray::number(longest_record >> 20) + " MiB";
            return false;
        }
        if (!read_more() && !error_.isEmpty())
            return false;
    }
}
