#include "ui/DataFieldsPage.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

#include "input/DataFieldBindings.h"
#include "settings/BindingsFile.h"
#include "ui/Controls.h"

namespace kivo::ui {
namespace {

constexpr const char* kRightColumn = "-LTT";
constexpr int kRowsPerColumn = 43;

QString FieldToolTip(int position) {
    if (position >= 1 && position <= 15)
        return "All underlined input variables are required.";
    if (position == 16 || position == 34 || position == 35)
        return "If camera parameters are not used, you can leave this input variable blank.";
    if (position >= 20 && position <= 33)
        return "If direction parameters are not used, you can leave this input variable blank.";
    if (position == 0) {
        return "If static SRL angles should not be related to an object (e.g., chair), you can "
               "leave this input variable blank.";
    }
    if (position >= kFirstUserVariable) {
        return "If you choose a data field, you can name and use it in the parameter list as a "
               "new input variable.";
    }
    return {};
}

}  // namespace

DataFieldsPage::DataFieldsPage(WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName("frmControls2");
    auto* scroll = MakeControl<QScrollArea>(this, "scrDataFields", {8, 8, 790, 450}, "L-T-");
    auto* content = new QWidget;
    BuildRows(content);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);

    struct Command {
        const char* name;
        const char* caption;
        void (DataFieldsPage::*handler)();
        const char* toolTip;
    };
    const Command commands[] = {
        {"cmdClearDataFieldsLists", "Clear Data Field Lists", &DataFieldsPage::ClearDataFieldLists,
         "Remove the data fields offered for binding and every binding"},
        {"cmdDeleteUserDefinedVariables", "Delete User Variables",
         &DataFieldsPage::DeleteUserVariables,
         "Delete the names and bindings of all user variables"},
        {"cmdRestoreDataFieldAssignments", "Restore Assignments",
         &DataFieldsPage::RestoreAssignments,
         "Restore the data field assignments loaded at program "
         "start"},
        {"cmdLoadBindings", "Load Bindings...", &DataFieldsPage::LoadBindings,
         "Bind the data fields as a bindings file lists them ('input variable;data field' per "
         "line)"},
        {"cmdPreview", "3D Preview...", &DataFieldsPage::Preview,
         "Show the bound input variables of the input file selected on the Input Files page and "
         "its partner as stick figures, frame by frame"},
    };
    int top = 8;
    for (const Command& command : commands) {
        auto* button =
            MakeCaptioned<QPushButton>(this, command.name, command.caption, {806, top, 162, 30},
                                       kRightColumn, command.toolTip);
        connect(button, &QPushButton::clicked, this, command.handler);
        top += 33;
    }
    connect(&context_.document, &StudyDocument::changed, this, [this](int parts) {
        if (parts & (StudyDocument::Bindings | StudyDocument::Files))
            ShowBindings();
    });
    ShowBindings();
}

void DataFieldsPage::BuildRows(QWidget* content) {
    auto* grid = new QGridLayout(content);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    for (int k = 0; k < kInputVariableCount; ++k) {
        const int gridRow = k % kRowsPerColumn;
        const int gridColumn = (k / kRowsPerColumn) * 2;
        const QString toolTip = FieldToolTip(k);
        auto* combo = new QComboBox(content);
        combo->setObjectName(QString("cmbDataFieldNames_%1").arg(k));
        combo->setToolTip(toolTip);
        combo->setMinimumWidth(200);
        fields_[static_cast<std::size_t>(k)] = combo;
        connect(combo, &QComboBox::activated, this, [this, k] { DataFieldChosen(k); });
        if (k < kFixedInputVariableCount) {
            auto* label = new QLabel(
                Q(FixedInputVariableNames()[static_cast<std::size_t>(k)]) + ":", content);
            label->setObjectName(QString("lblDataFieldNames_%1").arg(k));
            label->setToolTip(toolTip);
            if (k >= 1 && k <= 15) {
                QFont font = label->font();
                font.setUnderline(true);
                label->setFont(font);
            }
            grid->addWidget(label, gridRow, gridColumn);
        } else {
            const int u = k - kFirstUserVariable;
            auto* name = new QLineEdit(content);
            name->setObjectName(QString("txtVariableNames_%1").arg(u));
            name->setToolTip(
                "Enter a unique name for this new input variable and use the name in the "
                "parameter list for new nonverbal parameter definitions.");
            name->installEventFilter(this);
            names_[static_cast<std::size_t>(u)] = name;
            grid->addWidget(name, gridRow, gridColumn);
        }
        grid->addWidget(combo, gridRow, gridColumn + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
}

void DataFieldsPage::ShowBindings() {
    const Workspace& workspace = context_.workspace();
    const std::vector<std::string>& offered = workspace.dataFieldNames.Names();
    const bool newNames = offered != shownNames_;
    QStringList items;
    for (const std::string& name : offered)
        items.push_back(Q(name));
    for (int k = 0; k < kInputVariableCount; ++k) {
        QComboBox* combo = fields_[static_cast<std::size_t>(k)];
        const bool blocked = combo->blockSignals(true);
        if (newNames) {
            combo->clear();
            combo->addItems(items);
        }
        const std::string& bound = workspace.boundDataFields[static_cast<std::size_t>(k)];
        int index = combo->findText(Q(bound), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index < 0 && !bound.empty()) {
            combo->addItem(Q(bound));
            index = combo->count() - 1;
        }
        combo->setCurrentIndex(index < 0 ? 0 : index);
        combo->blockSignals(blocked);
    }
    shownNames_ = offered;
    for (int u = 0; u < kUserVariableCount; ++u) {
        QLineEdit* name = names_[static_cast<std::size_t>(u)];
        if (name->hasFocus())
            continue;
        name->setText(Q(workspace.userVariableNames[static_cast<std::size_t>(u)]));
        name->setEnabled(IsUserVariableNameEditable(workspace, u));
    }
}

bool DataFieldsPage::eventFilter(QObject* watched, QEvent* event) {
    for (int u = 0; u < kUserVariableCount; ++u) {
        if (watched != names_[static_cast<std::size_t>(u)])
            continue;
        if (event->type() == QEvent::FocusIn)
            oldName_ = S(names_[static_cast<std::size_t>(u)]->text());
        else if (event->type() == QEvent::FocusOut && isEnabled())
            NameBoxLeft(u);
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void DataFieldsPage::DataFieldChosen(int position) {
    if (context_.document.Loading())
        return;
    QComboBox* combo = fields_[static_cast<std::size_t>(position)];
    context_.Trap("cmbDataFieldNames_Click",
                  [&] { BindDataField(context_.workspace(), position, S(combo->currentText())); });
    context_.document.Changed(StudyDocument::Bindings);
    if (position >= kFirstUserVariable) {
        QLineEdit* name = names_[static_cast<std::size_t>(position - kFirstUserVariable)];
        if (name->isEnabled())
            name->setFocus();
    }
}

void DataFieldsPage::NameBoxLeft(int userVariable) {
    QLineEdit* box = names_[static_cast<std::size_t>(userVariable)];
    const std::string newName = S(box->text());
    if (newName == oldName_)
        return;
    bool renamed = false;
    context_.Trap("txtVariableNames_LostFocus", [&] {
        renamed = RenameUserVariable(context_.workspace(), userVariable, newName, context_.prompt);
    });
    if (!renamed) {
        box->setText(Q(oldName_));
        box->setFocus();
        return;
    }
    oldName_ = newName;
    context_.document.Changed(StudyDocument::Bindings | StudyDocument::Parameters);
}

void DataFieldsPage::ClearDataFieldLists() {
    context_.Trap("cmdClearDataFieldsLists_Click",
                  [&] { kivo::ClearDataFieldLists(context_.workspace(), context_.prompt); });
    context_.document.Changed(StudyDocument::Bindings);
}

void DataFieldsPage::DeleteUserVariables() {
    context_.Trap("cmdDeleteUserDefinedVariables_Click",
                  [&] { kivo::DeleteUserVariables(context_.workspace(), context_.prompt); });
    context_.document.Changed(StudyDocument::Bindings);
}

void DataFieldsPage::RestoreAssignments() {
    context_.Trap("cmdRestoreDataFieldAssignments_Click",
                  [&] { context_.document.RestoreDataFieldAssignments(context_.prompt); });
}

void DataFieldsPage::LoadBindings() {
    const QString path = context_.dialogs->OpenFile(
        window(), "Load Bindings", Q(context_.workspace().options.directorySettingsFiles),
        kBindingsFileFilters, {});
    if (path.isEmpty())
        return;
    context_.Trap("cmdLoadBindings_Click", [&] {
        const std::string file = S(path);
        ApplyBindings(context_.workspace(), ReadBindingsFile(file), file);
    });
    context_.document.Changed(StudyDocument::Bindings);
}

}  // namespace kivo::ui
