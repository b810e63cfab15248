// The editor's side of completion: when to open the list, and what its signals do.
#include "editor/editor.h"

#include "editor/auto_list.h"

namespace {

const qint64 max_completed_column = 0x4000;

std::vector<std::string> to_std(const QStringList &l)
{
    std::vector<std::string> out;
    for (const QString &s : l)
        out.push_back(s.toStdString());
    return out;
}

} // namespace

void editor::set_table_names(const QStringList &tables, const QMap<QString, QStringList> &fields)
{
    names_.tables = to_std(tables);
    names_.fields.clear();
    for (auto it = fields.begin(); it != fields.end(); ++it)
        names_.fields[it.key().toStdString()] = to_std(it.value());
}

// Opens the list for the word that ends at the cursor once `least_count` characters of it
// are typed; an empty word only right after a blank. A list holding nothing but the word
// already typed is not worth showing.
void editor::ask_completion()
{
    if (!style_.auto_enable || (list_ && !list_->isHidden()))
        return;
    const qint64 b = buf_.line_start(buf_.line_of(cursor_));
    // Deep inside a very long line (values, not words) nothing is offered, and typing there
    // does not split the whole line into tokens at every key.
    if (cursor_ - b > max_completed_column)
        return;
    const std::string before = buf_.mid(b, cursor_ - b);
    const std::string prefix = completion_words::trailing_word(before);
    const int typed = QString::fromUtf8(prefix.data(), static_cast<int>(prefix.size())).size();
    if (typed < std::max(0, style_.least_count))
        return;
    if (prefix.empty() && (before.empty() || before.back() != ' '))
        return;
    const std::vector<std::string> found = completion_words::candidates(before, names_, style_.only_cmd);
    if (found.empty() || (found.size() == 1 && found[0] == prefix))
        return;
    QStringList words;
    for (const std::string &w : found)
        words << QString::fromUtf8(w.data(), static_cast<int>(w.size()));

    close_completion();
    auto *l = new auto_list(words, QString::fromUtf8(prefix.data(), static_cast<int>(prefix.size())), this);
    connect(l, &auto_list::sel, this, &editor::auto_sel);
    connect(l, &auto_list::not_found, this, &editor::auto_not_found);
    connect(l, &auto_list::char_add, this, &editor::auto_char_add);
    connect(l, &auto_list::char_del, this, &editor::auto_char_del);
    list_ = l;
    l->popup_at(cursor_pt_);
}

void editor::close_completion()
{
    if (list_) {
        list_->hide();
        list_->deleteLater();
        list_ = nullptr;
    }
}

void editor::reset_word()
{
    close_completion();
}

void editor::auto_sel(const QString &word)
{
    close_completion();
    const qint64 b = buf_.line_start(buf_.line_of(cursor_));
    const std::string prefix = completion_words::trailing_word(buf_.mid(b, cursor_ - b));
    const QByteArray w = word.toUtf8();
    if (prefix != std::string(w.constData(), static_cast<size_t>(w.size()))) {
        const qint64 begin = cursor_ - static_cast<qint64>(prefix.size());
        sel_.clear();
        remove_bytes(begin, static_cast<qint64>(prefix.size()));
        insert_bytes(begin, std::string(w.constData(), static_cast<size_t>(w.size())));
        cursor_ = anchor_ = begin + w.size();
        finish_op(changed::text);
    } else {
        finish_op(changed::nothing);
    }
}

void editor::auto_not_found()
{
    close_completion();
    setFocus();
    update();
}

void editor::auto_char_add(const char &c)
{
    replace_selection(std::string(1, c));
    epilogue(changed::text);
    ask_completion();
}

void editor::auto_char_del()
{
    if (!delete_selected() && cursor_ > 0) {
        const qint64 p = buf_.prev_char(cursor_);
        remove_bytes(p, cursor_ - p);
        cursor_ = anchor_ = p;
    }
    epilogue(changed::text);
}
