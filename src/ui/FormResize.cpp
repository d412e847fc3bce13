#include "ui/FormResize.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <cmath>

namespace kivo::ui {
namespace {

ControlKind KindOf(const QWidget* widget) {
    if (qobject_cast<const QLabel*>(widget) || qobject_cast<const QComboBox*>(widget) ||
        qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget)) {
        return ControlKind::FixedHeight;
    }
    return ControlKind::Sized;
}

ControlBox BoxOf(const QRect& rect) {
    return {static_cast<float>(rect.x()), static_cast<float>(rect.y()),
            static_cast<float>(rect.width()), static_cast<float>(rect.height())};
}

int Pixels(float value) {
    return static_cast<int>(std::lround(value));
}

}  // namespace

void PlaceControl(QWidget* widget, const QRect& geometry, const char* tag) {
    widget->setGeometry(geometry);
    widget->setProperty(kResizeTagProperty, QByteArray(tag));
}

void FormResize::Record(QWidget* form, QSize designSize) {
    form_ = form;
    entries_.clear();
    const float width = static_cast<float>(designSize.width());
    const float height = static_cast<float>(designSize.height());
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        const QVariant tag = widget->property(kResizeTagProperty);
        if (!tag.isValid())
            continue;
        Entry entry{widget, tag.toByteArray(), KindOf(widget), {}, BoxOf(widget->geometry())};
        entry.record = RecordControl(entry.tag.toStdString(), entry.box, width, height);
        entries_.push_back(std::move(entry));
    }
}

void FormResize::Resize(QSize size) {
    if (size.isEmpty())
        return;
    const float width = static_cast<float>(size.width());
    const float height = static_cast<float>(size.height());
    for (Entry& entry : entries_) {
        if (!entry.widget)
            continue;
        entry.box = ResizeControl(entry.record, entry.tag.toStdString(), entry.kind, entry.box,
                                  width, height);
        const QRect rect(Pixels(entry.box.left), Pixels(entry.box.top), Pixels(entry.box.width),
                         entry.kind == ControlKind::FixedHeight ? entry.widget->height()
                                                                : Pixels(entry.box.height));
        if (rect != entry.widget->geometry())
            entry.widget->setGeometry(rect);
    }
}

}  // namespace kivo::ui
