#include "ui/ParameterListModel.h"

#include <array>

namespace kivo::ui {
namespace {

constexpr std::array<const char*, ParameterListModel::kColumnCount> kCaptions = {
    "Parameter Name", "Calculation Function", "Variables", "Target", "Reference System",
    "Output",         "Statistics",           "Dynamic"};

const std::string& ColumnText(const ParameterDefinition& row, int column) {
    switch (column) {
        case 0:
            return row.name;
        case 1:
            return row.function;
        case 2:
            return row.variables;
        case 3:
            return row.target;
        case 4:
            return row.referenceSystem;
        case 5:
            return row.output;
        case 6:
            return row.statistics;
        default:
            return row.dynamic;
    }
}

}  // namespace

ParameterListModel::ParameterListModel(StudyDocument& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {
    connect(&document_, &StudyDocument::changed, this, &ParameterListModel::OnDocumentChanged);
}

int ParameterListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(document_.workspace().parameters.size());
}

int ParameterListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ParameterListModel::data(const QModelIndex& index, int role) const {
    const auto& rows = document_.workspace().parameters;
    if (!index.isValid() || index.row() >= static_cast<int>(rows.size()))
        return {};
    const ParameterDefinition& row = rows[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(ColumnText(row, index.column()));
        case Qt::CheckStateRole:
            if (index.column() == 0)
                return row.enabled ? Qt::Checked : Qt::Unchecked;
            return {};
        case kTypeTagRole:
            return QString::fromStdString(row.typeTag);
        default:
            return {};
    }
}

QVariant ParameterListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= kColumnCount) {
        return {};
    }
    return QString(kCaptions[static_cast<std::size_t>(section)]);
}

Qt::ItemFlags ParameterListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == 0)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool ParameterListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || index.column() != 0 || !index.isValid() ||
        index.row() >= rowCount()) {
        return false;
    }
    const bool enabled = value.toInt() == Qt::Checked;
    const auto row = static_cast<std::size_t>(index.row());
    if (setEnabled_) {
        setEnabled_(row, enabled);
    } else {
        document_.workspace().parameters[row].enabled = enabled;
        document_.Changed(StudyDocument::Parameters);
    }
    return true;
}

void ParameterListModel::OnDocumentChanged(int parts) {
    if (parts & StudyDocument::Parameters) {
        beginResetModel();
        endResetModel();
    }
}

}  // namespace kivo::ui
