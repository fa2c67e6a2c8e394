#include "app/DoorTableModel.h"

#include <QBrush>
#include <QColor>

namespace varnholt::app {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

std::size_t At(int row) {
    return static_cast<std::size_t>(row);
}

} // namespace

DoorTableModel::DoorTableModel(systems::DoorTable& doors, std::function<void()> onChange, QObject* parent)
    : QAbstractTableModel(parent), table(doors), changed(std::move(onChange)) {}

int DoorTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table.Size());
}

int DoorTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant DoorTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case DoorColumn:
        return QStringLiteral("Door");
    case LocationColumn:
        return QStringLiteral("Location");
    case KeyedToColumn:
        return QStringLiteral("Keyed To");
    case CylindersColumn:
        return QStringLiteral("Cylinders");
    case NotesColumn:
        return QStringLiteral("Notes");
    case CheckColumn:
        return QStringLiteral("Check");
    default:
        return {};
    }
}

QVariant DoorTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const std::size_t row = At(index.row());
    const systems::Door& door = table.At(row);
    if (role == Qt::BackgroundRole || role == Qt::ToolTipRole ||
        (index.column() == CheckColumn && role == Qt::DisplayRole)) {
        const systems::DoorRowCheck check = table.Check(row);
        if (role == Qt::BackgroundRole) {
            if (check.state == systems::DoorRowState::Refused)
                return QBrush(QColor(0xF8, 0xD0, 0xCC));
            if (check.state == systems::DoorRowState::Warning)
                return QBrush(QColor(0xFB, 0xEE, 0xB8));
            return {};
        }
        if (check.state == systems::DoorRowState::Good)
            return index.column() == CheckColumn ? QStringLiteral("OK") : QVariant();
        return FromUtf8(check.reason);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case DoorColumn:
        return FromUtf8(door.number);
    case LocationColumn:
        return FromUtf8(door.location);
    case KeyedToColumn:
        return FromUtf8(table.KeyedToText(row));
    case CylindersColumn:
        return door.cylinders;
    case NotesColumn:
        return FromUtf8(door.notes);
    default:
        return {};
    }
}

Qt::ItemFlags DoorTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    return index.column() == CheckColumn ? flags : flags | Qt::ItemIsEditable;
}

bool DoorTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.row() >= rowCount())
        return false;
    const std::size_t row = At(index.row());
    switch (index.column()) {
    case DoorColumn:
        table.SetNumber(row, ToUtf8(value.toString().trimmed()));
        // A number given twice refuses every row that has it, wherever they are.
        emit dataChanged(this->index(0, 0), this->index(rowCount() - 1, Columns - 1));
        changed();
        return true;
    case LocationColumn:
        table.SetLocation(row, ToUtf8(value.toString()));
        break;
    case KeyedToColumn:
        table.SetKeyedTo(row, ToUtf8(value.toString()));
        break;
    case CylindersColumn: {
        bool number = false;
        const int cylinders = value.toInt(&number);
        if (!number)
            return false;
        table.SetCylinders(row, cylinders);
        break;
    }
    case NotesColumn:
        table.SetNotes(row, ToUtf8(value.toString()));
        break;
    default:
        return false;
    }
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), Columns - 1));
    changed();
    return true;
}

bool DoorTableModel::insertRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || row > rowCount() || count < 1)
        return false;
    beginInsertRows(parent, row, row + count - 1);
    for (int added = 0; added < count; ++added)
        table.Insert(At(row + added));
    endInsertRows();
    changed();
    return true;
}

bool DoorTableModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    for (int removed = 0; removed < count; ++removed)
        table.Remove(At(row));
    endRemoveRows();
    // A number that was given twice may now be unique.
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, Columns - 1));
    changed();
    return true;
}

void DoorTableModel::Assign(std::vector<systems::Door> doors) {
    beginResetModel();
    table.Assign(std::move(doors));
    endResetModel();
    changed();
}

void DoorTableModel::Reload() {
    beginResetModel();
    endResetModel();
}

} // namespace varnholt::app
