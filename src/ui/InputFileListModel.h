#pragma once

#include <QAbstractTableModel>
#include <optional>

#include "ui/StudyDocument.h"

namespace kivo::ui {

// The input file list: one row of sixteen columns per file, the full path as
// its tool tip, the file a run is reading in bold.
class InputFileListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kPathRole = Qt::UserRole;

    explicit InputFileListModel(StudyDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The row shown in bold (the file a run is reading); none for no row.
    void SetCurrentRunRow(std::optional<int> row);

  private:
    void OnDocumentChanged(int parts);

    StudyDocument& document_;
    std::optional<int> currentRunRow_;
};

}  // namespace kivo::ui
