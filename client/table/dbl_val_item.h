// One grid cell's values by item role, with the value it was loaded (or inserted) with, so the
// model can tell an edited cell from an untouched one.
#pragma once

#include "table/value_text.h"

#include <QMap>
#include <QObject>
#include <QVariant>

class dbl_val_item : public QObject {
    Q_OBJECT
public:
    explicit dbl_val_item(QObject *parent = nullptr) : QObject(parent) {}

    // Inserts or replaces the value of a role.
    void set_value(int role, const QVariant &v) { values_.insert(role, v); }
    // An invalid QVariant for a role that was never set.
    QVariant value(int role) const { return values_.value(role); }
    const QMap<int, QVariant> &values() const { return values_; }

    void set_base_value(const QVariant &v) { base_value_ = v; }
    const QVariant &base_value() const { return base_value_; }

    // True when the edit-role value differs from base_value, floating-point values bit for bit.
    bool is_changed() const { return !value_text::same_value(values_.value(Qt::EditRole), base_value_); }

private:
    QMap<int, QVariant> values_;
    QVariant base_value_;
};
