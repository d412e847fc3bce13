#pragma once

#include <QStringList>
#include <QTableView>

namespace kivo::ui {

// A report-style list that takes data files dropped onto it.
class FileListView : public QTableView {
    Q_OBJECT
  public:
    explicit FileListView(QWidget* parent = nullptr);

  signals:
    void filesDropped(const QStringList& paths);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// Report style: whole rows selected one at a time, no editing in place.
void ConfigureReportView(QTableView* view);

// The local files of a drag, in order; empty when it carries none.
QStringList LocalFilesOf(const class QMimeData* data);

}  // namespace kivo::ui
