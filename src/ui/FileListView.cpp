#include "ui/FileListView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>

namespace kivo::ui {

QStringList LocalFilesOf(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile());
    }
    return paths;
}

namespace {

// Data files; a settings file dropped onto the list is for the window.
QStringList DataFilesOf(const QMimeData* data) {
    QStringList paths = LocalFilesOf(data);
    paths.removeIf([](const QString& path) { return path.endsWith(".set", Qt::CaseInsensitive); });
    return paths;
}

}  // namespace

void ConfigureReportView(QTableView* view) {
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
}

FileListView::FileListView(QWidget* parent) : QTableView(parent) {
    ConfigureReportView(this);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

void FileListView::dragEnterEvent(QDragEnterEvent* event) {
    if (!DataFilesOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void FileListView::dragMoveEvent(QDragMoveEvent* event) {
    if (!DataFilesOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void FileListView::dropEvent(QDropEvent* event) {
    const QStringList paths = DataFilesOf(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(paths);
}

}  // namespace kivo::ui
