// The node parameters form of the cluster manager: a new node's values, or a listed node's
// values to edit.
#pragma once

#include "cluster/node_info.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

class node_params_dlg : public QDialog {
    Q_OBJECT
public:
    explicit node_params_dlg(QWidget *parent = nullptr);

    // Fills the form from a record; the used space and group id rows show only then.
    void set_node(const node_info &n, bool master_icon);
    // The form's values written over base (fields the form does not hold are kept).
    node_info node(const node_info &base = node_info()) const;
    // The other nodes of the list: a name or an address of theirs is refused.
    void set_others(const QList<node_info> &others);
    // Why the form's node clashes with another one; empty when it does not.
    QString clash() const;

    // Value and unit for a byte count: the largest unit that divides it exactly.
    static void split_space(quint64 bytes, int &value, int &unit_index);
    static quint64 join_space(int value, int unit_index);
    // The address pair both cluster forms carry: `le_ip` (IPv4, "127.0.0.1") and `sb_port`.
    static void address_fields(QWidget *parent, QLineEdit *&ip, QSpinBox *&port, int port_value);

    QLineEdit *le_name = nullptr;
    QLineEdit *le_ip = nullptr;
    QSpinBox *sb_port = nullptr;
    QCheckBox *cb_join = nullptr;
    QSpinBox *sb_space = nullptr;
    QComboBox *cb_unit = nullptr;
    QCheckBox *cb_master = nullptr;
    QLabel *lbl_us = nullptr;
    QLineEdit *le_us = nullptr;
    QComboBox *cb_u_unit = nullptr;
    QLabel *lbl_gid = nullptr;
    QSpinBox *sb_gid = nullptr;
    QLabel *lbl_note = nullptr;    // nodes join the cluster through the master
    QLabel *lbl_clash = nullptr;

private:
    void show_use_space();
    void check_input();

    quint64 use_space_ = 0;
    QList<node_info> others_;
    QWidget *ok_ = nullptr;
};
