// Search and replace in the editor. The text is read once per action into UTF-16 for the engine;
// what it finds is mapped back to byte ranges of the buffer, the editor's unit of selection.
#include "editor/search_dlg.h"

#include "common/utf8_offsets.h"

#include <QCheckBox>
#include <QLineEdit>
#include <utility>

struct search_dlg::snapshot {
    std::string bytes;
    utf8_offsets map;
    explicit snapshot(const editor &ed) : bytes(ed.text_bytes()), map(bytes.data(), int64_t(bytes.size())) {}
    const QString &text() const { return map.text(); }
    std::vector<std::pair<int, int>> units_of(const std::vector<text_range> &ranges)
    {
        std::vector<std::pair<int, int>> out;
        out.reserve(ranges.size());
        for (const text_range &r : ranges) {
            const int lo = map.unit_of(r.begin);
            out.emplace_back(lo, map.unit_of(r.end));
        }
        return out;
    }
};

search_dlg::search_dlg(editor *ed) : search_form(extra::only_selection, ed), ed_(ed)
{
    setObjectName(QStringLiteral("search_dlg"));
    setWindowTitle(title_for(false));
    ed->set_search_dialog(this);
    connect(ed, &editor::search_requested, this, &search_form::show_top);
    // Typing moves the text under the remembered ranges: they no longer say what was meant.
    connect(ed, &editor::textChanged, this, [this] {
        if (!changing_) {
            scope_.clear();
            own_sel_.clear();
        }
    });
    connect(os_cb, &QCheckBox::toggled, this, [this](bool on) {
        scope_ = on && ed_ ? ed_->selections() : std::vector<text_range>();
        own_sel_.clear();
    });
}

QString search_dlg::title_for(bool replace_mode) const
{
    return replace_mode ? tr("replace text in current windows") : tr("find text in current windows");
}

// A selection this dialog did not make is the user's: it becomes the scope. Selecting a match
// must not shrink the scope to that match.
void search_dlg::take_selection()
{
    const std::vector<text_range> &sel = ed_->selections();
    if ((!sel.empty() && sel != own_sel_) || scope_.empty())
        scope_ = sel;
}

std::vector<text_range> search_dlg::scope()
{
    if (!os_cb->isChecked())
        return {text_range{0, ed_->length()}};
    take_selection();
    return scope_;
}

void search_dlg::select_found(snapshot &s, int begin, int end)
{
    const qint64 b = s.map.byte_of(begin), e = s.map.byte_of(end);
    ed_->clear_selection();
    if (e > b)
        ed_->add_selection(b, e);
    ed_->set_cursor_position(b);
    own_sel_ = ed_->selections();
}

void search_dlg::next(bool)
{
    search_step(true, true);
}

void search_dlg::prev(bool)
{
    search_step(false, false);
}

void search_dlg::search_step(bool forward, bool after_cursor)
{
    if (!ed_)
        return;
    std::optional<text_search::matcher> m = make_matcher();
    if (!m)
        return;
    snapshot s(*ed_);
    const std::vector<std::pair<int, int>> ranges = s.units_of(scope());
    const QString &t = s.text();
    const int cur = s.map.unit_of(ed_->cursor_position());
    int after = cur;
    if (after_cursor)
        after += cur + 1 < t.size() && t[cur].isHighSurrogate() && t[cur + 1].isLowSurrogate() ? 2 : 1;
    step(forward, [&](bool from_edge) {
        text_search::match_range found;
        if (forward) {
            const int from = from_edge ? 0 : after;
            for (auto r = ranges.begin(); r != ranges.end() && !found.found(); ++r)
                if (r->second >= from)
                    found = m->next(t, from, r->first, r->second);
        } else {
            const int before = from_edge ? t.size() + 1 : cur;
            for (auto r = ranges.rbegin(); r != ranges.rend() && !found.found(); ++r)
                if (r->first < before)
                    found = m->prev(t, before, r->first, r->second);
        }
        if (found.found())
            select_found(s, found.begin, found.end);
        return found.found();
    });
}

void search_dlg::search_all(bool)
{
    if (!ed_)
        return;
    std::optional<text_search::matcher> m = make_matcher();
    if (!m)
        return;
    snapshot s(*ed_);
    const std::vector<std::pair<int, int>> ranges = s.units_of(scope());
    std::vector<text_range> hits;
    int count = 0;
    for (const auto &r : ranges) {
        for (const text_search::match_range &x : m->all(s.text(), r.first, r.second)) {
            ++count;
            const qint64 b = s.map.byte_of(x.begin);
            hits.push_back({b, s.map.byte_of(x.end)});
        }
    }
    ed_->set_selections(std::move(hits));
    own_sel_ = ed_->selections();
    if (count == 0)
        notinfo();
    else
        tell_found(count);
}

void search_dlg::notinfo()
{
    tell_not_found(tr("search result"));
}

void search_dlg::shift_scope(qint64 begin, qint64 end, qint64 new_length)
{
    const qint64 delta = new_length - (end - begin);
    for (text_range &r : scope_) {
        if (r.begin >= end) {
            r.begin += delta;
            r.end += delta;
        } else if (r.end >= end) {
            r.end += delta;
        }
    }
}

// The current match is the selection when it is exactly one match; it is replaced and the
// search goes on after the replacement. Without one, Replace only finds the next match.
void search_dlg::replace(bool)
{
    if (!ed_ || !replace_allowed())
        return;
    std::optional<text_search::matcher> m = make_matcher();
    if (!m)
        return;
    const std::vector<text_range> sel = ed_->selections();
    if (sel.size() == 1) {
        const std::vector<text_range> sc = scope();
        snapshot s(*ed_);
        for (const text_range &r : sc) {
            if (sel[0].begin < r.begin || sel[0].end > r.end)
                continue;
            const int lo = s.map.unit_of(r.begin), hi = s.map.unit_of(r.end);
            const int b = s.map.unit_of(sel[0].begin), e = s.map.unit_of(sel[0].end);
            const text_search::matcher::plan p = m->plan_replace(s.text(), rep_le->text(), lo, hi, 1, b);
            if (p.ranges.empty() || p.ranges[0].begin != b || p.ranges[0].end != e)
                break;
            const QString with = p.texts.front();
            changing_ = true;
            ed_->replace_range(sel[0].begin, sel[0].end, with);
            changing_ = false;
            shift_scope(sel[0].begin, sel[0].end, with.toUtf8().size());
            ed_->clear_selection();
            own_sel_.clear();
            emit replaced(1);
            return search_step(true, false);
        }
    }
    search_step(true, true);
}

void search_dlg::replace_all(bool)
{
    if (!ed_ || !replace_allowed())
        return;
    std::optional<text_search::matcher> m = make_matcher();
    if (!m)
        return;
    const std::vector<text_range> sc = scope();
    snapshot s(*ed_);
    const std::vector<std::pair<int, int>> ranges = s.units_of(sc);
    std::vector<text_range> hits;
    std::vector<std::string> texts;
    std::vector<text_range> new_scope;
    qint64 delta = 0;
    const QString with = rep_le->text();
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        const text_search::matcher::plan p = m->plan_replace(s.text(), with, ranges[i].first, ranges[i].second);
        qint64 range_delta = 0;
        std::string last_bytes;
        for (std::size_t k = 0; k < p.ranges.size(); ++k) {
            const qint64 b = s.map.byte_of(p.ranges[k].begin), e = s.map.byte_of(p.ranges[k].end);
            // Outside regular expressions every match gets the same text: encode it once.
            if (k == 0 || p.texts[int(k)] != p.texts[int(k) - 1]) {
                const QByteArray u = p.texts[int(k)].toUtf8();
                last_bytes.assign(u.constData(), std::size_t(u.size()));
            }
            hits.push_back({b, e});
            texts.push_back(last_bytes);
            range_delta += qint64(last_bytes.size()) - (e - b);
        }
        new_scope.push_back({sc[i].begin + delta, sc[i].end + delta + range_delta});
        delta += range_delta;
    }
    const int count = int(hits.size());
    if (count == 0)
        return tell_replaced(0);
    changing_ = true;
    ed_->replace_ranges(hits, texts);
    changing_ = false;
    if (os_cb->isChecked()) {
        scope_ = new_scope;
        ed_->set_selections(scope_);
        own_sel_ = ed_->selections();
    } else {
        own_sel_.clear();
    }
    emit replaced(count);
    tell_replaced(count);
}
