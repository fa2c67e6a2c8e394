#pragma once

#include "systems/DoorTable.h"

#include <QAbstractTableModel>

#include <functional>

namespace varnholt::app {

// The doors of a system for a table view: Door, Location, Keyed To, Cylinders and Notes, edited
// in place, and Check, the row's verdict in words. The rules are the door table's; this shows
// them. A refused row is tinted red, one worth a look yellow.
class DoorTableModel final : public QAbstractTableModel {
public:
    enum Column {
        DoorColumn,
        LocationColumn,
        KeyedToColumn,
        CylindersColumn,
        NotesColumn,
        CheckColumn,
        Columns
    };

    // The table must outlive the model; changed runs after every edit.
    DoorTableModel(systems::DoorTable& table, std::function<void()> changed, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

    // Every row anew (an imported list).
    void Assign(std::vector<systems::Door> doors);
    // After the table changed behind the model's back (changes discarded).
    void Reload();

private:
    systems::DoorTable& table;
    std::function<void()> changed;
};

} // namespace varnholt::app
