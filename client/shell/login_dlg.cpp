// Login form, live validation of address and port, and the hand-over to the main window.
#include "shell/login_dlg.h"

#include "config/sys_config.h"
#include "shell/main_window.h"
#include "common/modal_seam.h"
#include "common/wait_notice.h"
#include "db/db_link.h"
#include "support/log/vorn_log.h"

#include <QCheckBox>
#include <QHostAddress>
#include <QHostInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>

namespace {

const QRegularExpression &ip_pattern()
{
    static const QRegularExpression re(QRegularExpression::anchoredPattern(
        QStringLiteral("((2[0-4]\\d|25[0-5]|[01]?\\d\\d?)\\.){3}(2[0-4]\\d|25[0-5]|[01]?\\d\\d?)")));
    return re;
}

const QRegularExpression &host_pattern()
{
    // Labels of letters, digits and inner hyphens, dot-separated, 253 characters at most.
    static const QRegularExpression re(QRegularExpression::anchoredPattern(QStringLiteral(
        "(?=.{1,253}\\.?$)[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?"
        "(?:\\.[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?)*\\.?")));
    return re;
}

constexpr int default_port = 55555;
const char default_ip[] = "127.0.0.1";

} // namespace

login_dlg::login_dlg(QWidget *parent) : QDialog(parent)
{
    build_form();
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    connect(le_ip_, &QLineEdit::textChanged, this, &login_dlg::ipChanged);
    connect(le_port_, &QLineEdit::textChanged, this, &login_dlg::portChanged);

    le_ip_->setText(QString::fromUtf8(sys_config.ip));
    le_user_->setText(QString::fromUtf8(sys_config.user));
    le_port_->setText(QString::number(sys_config.port));
    if (sys_config.user[0] == '\0')
        cb_default_->setChecked(false);
    le_user_->setFocus();
}

void login_dlg::build_form()
{
    setObjectName(QStringLiteral("login_dlg"));
    setWindowTitle(tr("Dialog"));
    setFixedSize(728, 416);
    QFont base = font();
    base.setPointSize(10);
    setFont(base);
    setStyleSheet(QStringLiteral(
        "QDialog#login_dlg { background-color: rgb(132, 171, 204); }"
        // Only the form's own widgets: the message boxes parented here keep their dark text.
        "QDialog#login_dlg > QLabel, QDialog#login_dlg > QCheckBox { color: white; }"));

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("title"));
    title_->setTextFormat(Qt::RichText);
    title_->setText(QStringLiteral("<html><head/><body><p align=\"center\"><span style=\" font-size:15pt;"
                                   " font-weight:600;\">%1</span></p></body></html>")
                        .arg(tr("VORN Time Series Database").toHtmlEscaped()));
    title_->setAlignment(Qt::AlignCenter);
    title_->setGeometry(40, 28, 648, 48);

    logo_ = new QLabel(this);
    logo_->setObjectName(QStringLiteral("label_6"));
    logo_->setStyleSheet(QStringLiteral("image: url(:/img/logo.png);"));
    logo_->setGeometry(56, 110, 200, 200);

    QFont caption_font = base;
    caption_font.setBold(true);
    QFont edit_font = base;
    edit_font.setPointSize(12);
    const QString edit_style = QStringLiteral(
        "QLineEdit { color: black; background-color: white; padding-left: 8px; padding-right: 8px; }");
    const QString info_style = QStringLiteral("QLabel { color: red; }");

    const char *caption_names[] = {"label", "label_2", "label_3", "label_4"};
    const QString captions[] = {tr("user"), tr("password"), tr("IP"), tr("port ")};
    QLineEdit **edits[] = {&le_user_, &le_passwd_, &le_ip_, &le_port_};
    const char *edit_names[] = {"le_user", "le_passwd", "le_ip", "le_port"};
    for (int row = 0; row < 4; ++row) {
        const int y = 104 + row * 52;
        auto *caption = new QLabel(captions[row], this);
        caption->setObjectName(QLatin1String(caption_names[row]));
        caption->setFont(caption_font);
        caption->setGeometry(280, y, 108, 34);
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(edit_names[row]));
        edit->setFont(edit_font);
        edit->setStyleSheet(edit_style);
        edit->setGeometry(392, y, 220, 34);
        *edits[row] = edit;
    }
    le_user_->setFocusPolicy(Qt::StrongFocus);
    le_passwd_->setEchoMode(QLineEdit::Password);
    // Design-time placeholders; the constructor replaces them from the configuration.
    le_ip_->setText(QStringLiteral("127.0.0.1"));
    le_port_->setText(QStringLiteral("55558"));

    lbl_ipinfo_ = new QLabel(this);
    lbl_ipinfo_->setObjectName(QStringLiteral("lbl_ipinfo"));
    lbl_ipinfo_->setStyleSheet(info_style);
    lbl_ipinfo_->setGeometry(618, 104 + 2 * 52, 106, 34);
    lbl_ipinfo_->setWordWrap(true);
    lbl_portinfo_ = new QLabel(this);
    lbl_portinfo_->setObjectName(QStringLiteral("lbl_portinfo"));
    lbl_portinfo_->setStyleSheet(info_style);
    lbl_portinfo_->setGeometry(618, 104 + 3 * 52, 106, 34);
    lbl_portinfo_->setWordWrap(true);

    cb_default_ = new QCheckBox(tr("set as default"), this);
    cb_default_->setObjectName(QStringLiteral("checkBox"));
    cb_default_->setChecked(true);
    cb_default_->setGeometry(392, 310, 240, 26);

    pb_login_ = new QPushButton(tr("Login"), this);
    pb_login_->setObjectName(QStringLiteral("pb_login"));
    pb_login_->setAutoDefault(false);
    pb_login_->setDefault(false);
    QFont login_font(QStringLiteral("Arial"));
    login_font.setPointSize(14);
    pb_login_->setFont(login_font);
    pb_login_->setStyleSheet(QStringLiteral(
        "QPushButton { color: rgb(32, 117, 192); background-color: rgb(249, 249, 249); border: none; }"));
    pb_login_->setGeometry(392, 348, 220, 40);
    connect(pb_login_, &QPushButton::clicked, this, &login_dlg::login);
    // Return in any field logs in, as in every login form; the button keeps its plain look.
    for (QLineEdit *field : { le_user_, le_passwd_, le_ip_, le_port_ })
        connect(field, &QLineEdit::returnPressed, this, &login_dlg::login);

    pb_close_ = new QToolButton(this);
    pb_close_->setObjectName(QStringLiteral("pb_close"));
    pb_close_->setIcon(QIcon(QStringLiteral(":/img/close.png")));
    pb_close_->setIconSize(QSize(24, 24));
    pb_close_->setAutoRaise(true);
    pb_close_->setStyleSheet(QStringLiteral("QToolButton { background: transparent; border: none; }"));
    pb_close_->setGeometry(728 - 44, 10, 34, 34);
    connect(pb_close_, &QToolButton::clicked, this, &QDialog::reject);

    setTabOrder(le_user_, le_passwd_);
    setTabOrder(le_passwd_, le_ip_);
    setTabOrder(le_ip_, le_port_);
    setTabOrder(le_port_, cb_default_);
    setTabOrder(cb_default_, pb_login_);
    setTabOrder(pb_login_, pb_close_);
}

bool login_dlg::valid_ip(const QString &text)
{
    return ip_pattern().match(text).hasMatch();
}

bool login_dlg::valid_host(const QString &text)
{
    static const QRegularExpression numeric(QRegularExpression::anchoredPattern(QStringLiteral("[0-9.]*")));
    if (numeric.match(text).hasMatch())
        return valid_ip(text);
    return host_pattern().match(text).hasMatch();
}

bool login_dlg::valid_port(const QString &text)
{
    // Not a number counts as 0, which is out of range.
    const long long port = text.toLongLong(nullptr, 10);
    return port >= 1 && port <= 65535;
}

void login_dlg::ipChanged(const QString &text)
{
    lbl_ipinfo_->clear();
    if (!valid_host(text))
        lbl_ipinfo_->setText(tr("invalid ip"));
}

void login_dlg::portChanged(const QString &text)
{
    lbl_portinfo_->clear();
    if (!valid_port(text))
        lbl_portinfo_->setText(tr("invalid port"));
}

void login_dlg::login()
{
    lbl_ipinfo_->clear();
    lbl_portinfo_->clear();
    const bool port_ok = valid_port(le_port_->text());
    if (!port_ok)
        lbl_portinfo_->setText(tr("invalid port"));
    if (!valid_host(le_ip_->text())) {
        lbl_ipinfo_->setText(tr("invalid ip"));
        return;
    }
    if (!port_ok)
        return;

    if ((link_ && link_->busy()) || lookup_id_ >= 0)
        return;
    const QString host = le_ip_->text();
    if (valid_ip(host)) {
        start_login(host.toUtf8(), host);
        return;
    }
    // The library takes an IPv4 address: the name is looked up first, on the toolkit's
    // resolver threads, and the dialog stays responsive meanwhile.
    pb_login_->setEnabled(false);
    lookup_id_ = QHostInfo::lookupHost(host, this, [this, host](const QHostInfo &info) {
        lookup_id_ = -1;
        pb_login_->setEnabled(true);
        QByteArray address;
        for (const QHostAddress &a : info.addresses()) {
            if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                address = a.toString().toUtf8();
                break;
            }
        }
        if (address.isEmpty()) {
            log_warn("login: host name '%s' cannot be resolved to an IPv4 address: %s", host.toUtf8().constData(),
                     info.error() == QHostInfo::NoError ? "no IPv4 address" : info.errorString().toUtf8().constData());
            lbl_ipinfo_->setText(tr("cannot resolve"));
            return;
        }
        start_login(address, host);
    });
}

void login_dlg::start_login(const QByteArray &ip, const QString &host)
{
    const int port = le_port_->text().toInt(nullptr, 10);
    const QByteArray user = le_user_->text().toUtf8();
    const QByteArray passwd = le_passwd_->text().toUtf8();
    if (!link_) {
        link_ = new db_link(QByteArrayLiteral("vorn_tsdb"), nullptr, this);
        wait_ = new wait_notice(link_, nullptr, this);
        wait_->setGeometry(280, 72, 432, 30);
    }
    pb_login_->setEnabled(false);
    // The name the user typed is the default when it fits the configuration; else the address.
    const QByteArray keep = host.toUtf8().size() < int(sizeof sys_config.ip) ? host.toUtf8() : ip;
    link_->login(login_values{ ip, port, user, passwd }, this, [this, keep, port, user](const db_status &st) {
        pb_login_->setEnabled(true);
        if (!st.ok) {
            // The reason tells a wrong password apart from a server that cannot be reached.
            QString text = tr("invalid user or password");
            if (!st.reason.isEmpty())
                text += QLatin1Char('\n') + st.reason;
            modal_seam::information(this, tr("info"), text, QMessageBox::Ok);
            // Refused by the server: the password is what to type again.
            if (st.code != 2) {
                le_passwd_->setFocus(Qt::OtherFocusReason);
                le_passwd_->selectAll();
            }
            return;
        }
        accept();
        if (!main_window_) {
            main_window_ = new MainWindow(link_);
            link_ = nullptr;
            store_defaults(keep, port, user);
        }
        main_window_->show();
    });
}

void login_dlg::reject()
{
    if (lookup_id_ >= 0) {
        QHostInfo::abortHostLookup(lookup_id_);
        lookup_id_ = -1;
        pb_login_->setEnabled(true);
    }
    if (link_ && link_->busy())
        link_->cancel();
    QDialog::reject();
}

void login_dlg::store_defaults(const QByteArray &ip, int port, const QByteArray &user)
{
    if (cb_default_->isChecked()) {
        sys_config.set_ip(ip.toStdString());
        sys_config.set_user(user.toStdString());
        sys_config.port = port;
    } else {
        sys_config.set_ip(default_ip);
        sys_config.set_user(std::string());
        sys_config.port = default_port;
    }
}
