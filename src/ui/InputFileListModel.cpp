#include "ui/InputFileListModel.h"

#include <QFont>

namespace kivo::ui {

InputFileListModel::InputFileListModel(StudyDocument& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {
    connect(&document_, &StudyDocument::changed, this, &InputFileListModel::OnDocumentChanged);
}

int InputFileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(document_.workspace().inputFiles.size());
}

int InputFileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kInputFileColumnCount;
}

QVariant InputFileListModel::data(const QModelIndex& index, int role) const {
    const auto& files = document_.workspace().inputFiles;
    if (!index.isValid() || index.row() >= static_cast<int>(files.size()))
        return {};
    const InputFileRow& row = files[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(row[index.column()]);
        case Qt::ToolTipRole:
        case kPathRole:
            return QString::fromStdString(row.fullPath);
        case Qt::FontRole:
            if (currentRunRow_ == index.row()) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        default:
            return {};
    }
}

QVariant InputFileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= kInputFileColumnCount) {
        return {};
    }
    return QString::fromUtf8(
        InputFileColumnCaptions()[static_cast<std::size_t>(section)].data(),
        static_cast<qsizetype>(
            InputFileColumnCaptions()[static_cast<std::size_t>(section)].size()));
}

void InputFileListModel::SetCurrentRunRow(std::optional<int> row) {
    const std::optional<int> previous = currentRunRow_;
    currentRunRow_ = row;
    for (const std::optional<int>& changed : {previous, row}) {
        if (changed && *changed < rowCount())
            emit dataChanged(index(*changed, 0), index(*changed, kInputFileColumnCount - 1),
                             {Qt::FontRole});
    }
}

void InputFileListModel::OnDocumentChanged(int parts) {
    if (parts & StudyDocument::Files) {
        beginResetModel();
        endResetModel();
    }
}

}  // namespace kivo::ui
