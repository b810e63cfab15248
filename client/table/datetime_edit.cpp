// Date/time entry: the time field follows the same rule as the number entries (a refused edit
// goes back to the last good text); the value changes only with a complete, valid text.
#include "table/datetime_edit.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTableView>
#include <QTimer>

namespace mem = ox::db::mem;

namespace {

// A time of day typed so far: "h", "hh:", "hh:m", ..., "hh:mm:ss.fffffffff".
bool acceptable_time(const QString &text)
{
    static const QRegularExpression form(QRegularExpression::anchoredPattern(
        QStringLiteral("\\s*([0-9]{1,2})(?::([0-9]{1,2})(?::([0-9]{1,2})(?:\\.([0-9]{0,9}))?)?)?\\s*")));
    const QString t = text.trimmed();
    if (t.isEmpty())
        return true;
    const auto m = form.match(t, 0, QRegularExpression::PartialPreferCompleteMatch);
    if (!m.hasMatch() && !m.hasPartialMatch())
        return false;
    // Two digits finish a field, so a field past its range cannot become valid any more.
    const QStringList fields = t.split(QLatin1Char('.')).first().split(QLatin1Char(':'));
    const int limits[] = {23, 59, 59};
    for (int i = 0; i < fields.size() && i < 3; ++i)
        if (fields[i].size() == 2 && fields[i].toInt() > limits[i])
            return false;
    return true;
}

QDate qdate_of(const mem::date_time &v)
{
    return QDate(v.year, v.month, v.day);
}

} // namespace

date_time_wt::date_time_wt(QWidget *parent, parts shown)
    : QWidget(parent), shown_(shown), date_(new QDateEdit(this)), time_(new QLineEdit(this))
{
    mem::register_meta_types();
    auto *lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(2);
    lay->addWidget(date_, 3);
    lay->addWidget(time_, 2);
    date_->setObjectName(QStringLiteral("de_date"));
    time_->setObjectName(QStringLiteral("le_time"));
    date_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    date_->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    date_->setCalendarPopup(true);
    // The weeks share the popup's height; the hidden row header would ask more of each (its
    // margins around the font) and push the last week out of sight.
    if (auto *weeks = date_->calendarWidget()->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview")))
        weeks->verticalHeader()->setMinimumSectionSize(0);
    time_->setToolTip(tr("time of day: hours:minutes:seconds, optionally with a fraction of the second"));
    time_->setPlaceholderText(tr("hh:mm:ss"));
    date_->setVisible(shown_ != parts::time);
    time_->setVisible(shown_ != parts::date);
    setFocusProxy(shown_ == parts::time ? static_cast<QWidget *>(time_) : date_);
    connect(date_, &QDateEdit::dateChanged, this, &date_time_wt::date_edited);
    connect(time_, &QLineEdit::textChanged, this, &date_time_wt::time_edited);
    value_.year = 2000;
    value_.month = 1;
    value_.day = 1;
    show_value();
}

void date_time_wt::keep_time_whole()
{
    fit_time_ = true;
    // The date takes what its text needs, the time the rest.
    auto *lay = static_cast<QBoxLayout *>(layout());
    lay->setStretchFactor(date_, 0);
    lay->setStretchFactor(time_, 1);
    fit_time_text();
}

void date_time_wt::fit_time_text()
{
    QStyleOptionFrame opt;
    opt.initFrom(time_);
    opt.lineWidth = time_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, time_);
    const QString longest = QStringLiteral("00:00:00.000000000");
    // The text and the line edit's own margin of 2 on each side; the style adds its frame.
    const QSize text(time_->fontMetrics().horizontalAdvance(longest) + 4, time_->fontMetrics().height());
    time_->setMinimumWidth(time_->style()->sizeFromContents(QStyle::CT_LineEdit, &opt, text, time_).width());
    date_->setMinimumWidth(date_->sizeHint().width());
    const int needed = date_->minimumWidth() + layout()->spacing() + time_->minimumWidth();
    if (maximumWidth() < needed)
        setMaximumWidth(needed);
    if (minimumWidth() < needed)
        setMinimumWidth(needed);
}

bool date_time_wt::event(QEvent *e)
{
    // A style sheet or font set later changes the frames and the digits' width; the fields
    // hear of it after this entry, so their sizes are read again once they have.
    if ((e->type() == QEvent::StyleChange || e->type() == QEvent::FontChange || e->type() == QEvent::Polish) &&
        fit_time_) {
        fit_time_text();
        QTimer::singleShot(0, this, &date_time_wt::fit_time_text);
    }
    return QWidget::event(e);
}

QVariant date_time_wt::variant() const
{
    switch (shown_) {
    case parts::date: return QVariant::fromValue(value_.date_part());
    case parts::time: return QVariant::fromValue(value_.time_part());
    default: return QVariant::fromValue(value_);
    }
}

void date_time_wt::set_variant(const QVariant &v)
{
    mem::date_time dt = value_;
    if (v.userType() == qMetaTypeId<mem::date_time>()) {
        dt = v.value<mem::date_time>();
    } else if (v.userType() == qMetaTypeId<mem::date>()) {
        const mem::date d = v.value<mem::date>();
        dt = mem::date_time::of(d, value_.time_part());
    } else if (v.userType() == qMetaTypeId<mem::time>()) {
        dt = mem::date_time::of(value_.date_part(), v.value<mem::time>());
    }
    set_value(dt);
}

mem::date_time date_time_wt::value() const
{
    return value_;
}

void date_time_wt::set_value(const mem::date_time &v)
{
    const bool changed = !(v == value_);
    value_ = v;
    show_value();
    if (changed)
        emit value_chg(text());
}

QString date_time_wt::text() const
{
    switch (shown_) {
    case parts::date: return mem::to_text(value_.date_part());
    case parts::time: return mem::to_text(value_.time_part());
    default: return mem::to_text(value_);
    }
}

void date_time_wt::set_read_only(bool on)
{
    read_only_ = on;
    date_->setReadOnly(on);
    time_->setReadOnly(on);
}

void date_time_wt::set_alignment(Qt::Alignment a)
{
    date_->setAlignment(a);
    time_->setAlignment(a);
}

void date_time_wt::show_value()
{
    showing_ = true;
    const QDate d = qdate_of(value_);
    if (d.isValid())
        date_->setDate(qBound(date_->minimumDate(), d, date_->maximumDate()));
    last_good_time_ = mem::to_text(value_.time_part());
    time_->setText(last_good_time_);
    // A time with nanoseconds is wider than most entries: one the user is not in shows its
    // hours rather than a tail of digits.
    if (!time_->hasFocus())
        time_->setCursorPosition(0);
    showing_ = false;
}

void date_time_wt::date_edited()
{
    if (showing_)
        return;
    const QDate d = date_->date();
    value_.year = uint16_t(d.year());
    value_.month = uint8_t(d.month());
    value_.day = uint8_t(d.day());
    emit value_chg(text());
}

void date_time_wt::time_edited(const QString &t)
{
    if (showing_)
        return;
    if (!acceptable_time(t)) {
        const int at = qMax(0, time_->cursorPosition() - 1);
        time_->setText(last_good_time_);
        time_->setCursorPosition(qMin(at, last_good_time_.size()));
        return;
    }
    last_good_time_ = t;
    mem::time parsed;
    if (!mem::parse(t, parsed) || parsed == value_.time_part())
        return;
    value_.hour = parsed.hour;
    value_.minute = parsed.minute;
    value_.second = parsed.second;
    value_.nanos = parsed.nanos;
    emit value_chg(text());
}
