#pragma once

#include <QAbstractTableModel>
#include <functional>

#include "ui/StudyDocument.h"

namespace kivo::ui {

// The parameter list: eight text columns per row, the Enabled check box in the
// first column and the type tag as the row's tag.
class ParameterListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kColumnCount = 8;
    static constexpr int kTypeTagRole = Qt::UserRole;

    explicit ParameterListModel(StudyDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A click on a row's check box asks `setEnabled` (the parameter page's rule).
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void SetEnabledRule(std::function<void(std::size_t row, bool enabled)> rule) {
        setEnabled_ = std::move(rule);
    }

  private:
    void OnDocumentChanged(int parts);

    StudyDocument& document_;
    std::function<void(std::size_t, bool)> setEnabled_;
};

}  // namespace kivo::ui
