#include "macro/macro_dialog.h"

#include "macro/macro_action_model.h"
#include "macro/macro_catalog.h"
#include "macro/macro_editor.h"
#include "macro/vel_macro_item_delegate.h"
#include "macro/vel_tree_item.h"
#include "macro/vel_tree_widget.h"
#include "platform/input_hook.h"
#include "storage/description_file.h"
#include "widgets/accent_color.h"
#include "widgets/display_scale.h"
#include "widgets/ui_language.h"
#include "widgets/vel_action.h"
#include "widgets/vel_label.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_menu.h"
#include "widgets/vel_push_button.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QIntValidator>
#include <QListWidget>
#include <QTableView>

namespace {
// Page coordinates at scale 1 (the page area is 652 x 432): the macro list on the left, the action list in
// the middle, the inserting, editing and repeating controls on the right.
constexpr QRect kTableRect(160, 60, 250, 272);
constexpr int kDelayColumnWidth = 80;
constexpr int kRowHeight = 26;
constexpr int kRightX = 420;
constexpr int kRightWidth = 232;

const char *const kRowToolNames[] = {"rowDelete", "rowUp",   "rowDown", "rowTop", "rowBottom",
                                     "rowClear",  "rowEdit", "rowCopy", "rowCut", "rowPaste"};

// The row tools' places: the first seven on one line, COPY, CUT and PASTE wider on the next.
QRect rowToolRect(int tool) {
    return tool < 7 ? QRect(160 + 36 * tool, 338, 32, 28) : QRect(160 + 85 * (tool - 7), 372, 80, 28);
}

MacroRecorder::Clock steadyClock() {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed() + 1; };
}

QCheckBox *checkBox(const QString &name, QWidget *parent) {
    auto *box = new QCheckBox(parent);
    box->setObjectName(name);
    return box;
}
} // namespace

MacroDialog::MacroDialog(double scale, QWidget *parent, MacroRecorder::Clock clock)
    : ConfigPage(parent), m_editor(new MacroEditor(
                              description::minDelay(), clock ? std::move(clock) : steadyClock(),
                              [] { return createInputHook(nullptr); }, this)),
      m_catalog(new MacroCatalog(*m_editor, this)) {
    setObjectName(QStringLiteral("macroPage"));
    buildList();
    buildEditor();
    buildTools();
    connectEditor();
    connectCatalog();
    for (VelLabel *title : {m_macroTitle, m_nameTitle, m_commandTitle, m_rowTitle, m_rowName})
        title->setColor(QColor(200, 200, 206));
    retranslate();
    setScale(scale);
    m_catalog->load();
}

VelPushButton *MacroDialog::addButton(const char *name, const QRect &base) {
    return placed(VelPushButton::fromSkin(VelPushButton::tabImages(), name, this), base);
}

template <typename Receiver, typename Slot>
VelPushButton *MacroDialog::addButton(const char *name, const QRect &base, Receiver *receiver, Slot slot) {
    VelPushButton *button = addButton(name, base);
    connect(button, &QPushButton::clicked, receiver, slot);
    return button;
}

void MacroDialog::buildList() {
    m_macroTitle = placed(new VelLabel(this), {0, 0, 80, 26});
    m_newButton = addButton("newMacroButton", {92, 1, 26, 24}, m_catalog, &MacroCatalog::addNew);
    m_newButton->setText(QStringLiteral("+"));
    m_deleteButton = addButton("deleteMacroButton", {124, 1, 26, 24}, this, &MacroDialog::deleteMacro);
    m_deleteButton->setText(QStringLiteral("-"));
    m_batchButton = addButton("batchButton", {0, 30, 150, 26}, this, &MacroDialog::toggleBatch);
    m_batchButton->setCheckable(true);
    m_macroList = placed(new QListWidget(this), {0, 60, 150, 272});
    m_macroList->setObjectName(QStringLiteral("macroList"));
    m_macroList->setStyleSheet(
        QStringLiteral("QListWidget{background:rgb(28,28,31);border:1px solid rgb(60,60,66);}"
                       "QListWidget::item{height:26px;}"
                       "QListWidget::item:selected{background:rgb(70,70,76);}"));
    connect(m_macroList, &QListWidget::currentRowChanged, this,
            [this](int row) { itemClicked(m_macroList->model()->index(qMax(row, 0), 0)); });
    m_importButton = addButton("importButton", {0, 338, 72, 28}, this, &MacroDialog::importMacros);
    m_exportButton = addButton("exportButton", {78, 338, 72, 28}, this, &MacroDialog::exportMacros);
    m_gunSetButton = addButton("gunSetButton", {0, 372, 150, 28}, this, &MacroDialog::gunSet);
}

void MacroDialog::buildEditor() {
    m_nameTitle = placed(new VelLabel(this), {160, 0, 120, 26});
    m_nameEdit = placed(new VelLineEdit(this), {160, 30, 150, 26});
    m_nameEdit->setObjectName(QStringLiteral("macroNameEdit"));
    m_nameEdit->setMaxLength(100);
    m_changeNameButton = addButton("changeNameButton", {316, 30, 94, 26}, this,
                                   [this] { m_catalog->renameOpen(m_nameEdit->text().trimmed()); });

    m_table = placed(new QTableView(this), kTableRect);
    m_table->setObjectName(QStringLiteral("actionTable"));
    m_table->setModel(m_editor->model());
    // The editor's current row is the table's.
    QItemSelectionModel *own = m_table->selectionModel();
    m_table->setSelectionModel(m_editor->selection());
    delete own;
    m_table->setItemDelegate(new VelMacroItemDelegate(m_editor->minDelay(), this));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setShowGrid(false);
    m_table->verticalHeader()->hide();
    m_table->setColumnHidden(MacroActionModel::kDataL, true);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    const QRect startRect(160, 404, 122, 28);
    m_startButton = addButton("startButton", startRect, this,
                              [this] { m_editor->startRecording(m_recordAfterButton->isChecked()); });
    m_stopButton = addButton("stopButton", startRect, m_editor, &MacroEditor::stopRecording);
    m_stopButton->hide();
    m_recordAfterButton = addButton("recordAfterButton", {288, 404, 122, 28});
    m_recordAfterButton->setCheckable(true);
    m_saveButton = addButton("saveButton", {kRightX, 404, 112, 28}, m_editor, &MacroEditor::saveEdits);
    m_cancelButton = addButton("cancelButton", {540, 404, 112, 28}, m_editor, &MacroEditor::revertEdits);
    m_captureNote = placed(new VelLabel(this), {kRightX, 366, kRightWidth, 34});
    m_captureNote->setObjectName(QStringLiteral("captureNote"));
    m_captureNote->setTextWrap(true);
    m_captureNote->setColor(QColor(200, 200, 206));
    m_captureNote->hide();
}

void MacroDialog::buildTools() {
    m_delayBoxes = {placed(checkBox(QStringLiteral("recordDelaysBox"), this), {kRightX, 0, kRightWidth, 22}),
                    placed(checkBox(QStringLiteral("defaultDelayBox"), this), {kRightX, 24, 184, 22})};
    makeExclusive(m_delayBoxes, [this](int mode) { m_editor->setDelayMode(mode); });
    m_defaultDelayEdit = placed(new VelLineEdit(this), {608, 24, 44, 22});
    m_defaultDelayEdit->setObjectName(QStringLiteral("defaultDelayEdit"));
    m_defaultDelayEdit->setValidator(new QIntValidator(0, 99999, m_defaultDelayEdit));
    connect(m_defaultDelayEdit, &QLineEdit::textChanged, this, &MacroDialog::DefDelayChanged);
    m_insertDelayButton =
        addButton("insertDelayButton", {kRightX, 50, 112, 26}, m_editor, &MacroEditor::insertDelay);

    m_mouseActionButton = addButton("mouseActionButton", {540, 50, 112, 26});
    m_mouseActionMenu = new VelMenu(this);
    for (int i = 0; i < VelTreeWidget::kEntryCount; ++i) {
        auto *action = new VelAction(m_mouseActionMenu);
        m_mouseActionMenu->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, i] { m_editor->insertRows(m_tree->entrySteps(i)); });
    }
    connect(m_mouseActionButton, &QPushButton::clicked, this, [this] {
        m_mouseActionMenu->exec(m_mouseActionButton->mapToGlobal(QPoint(0, m_mouseActionButton->height())));
    });

    m_commandTitle = placed(new VelLabel(this), {kRightX, 80, kRightWidth, 20});
    m_tree = placed(new VelTreeWidget(this), {kRightX, 100, kRightWidth, 160});
    connect(m_tree, &QTreeWidget::itemClicked, this, &MacroDialog::TreeitemClick);
    for (int i = 0; i < VelTreeWidget::kMoveCount; ++i)
        connect(m_tree->moveItem(i), &VelTreeItem::VelMousePressed, this,
                [this, i] { m_editor->insertRows(m_tree->entrySteps(VelTreeWidget::kButtonCount + i)); });

    m_rowTitle = placed(new VelLabel(this), {kRightX, 264, 80, 24});
    m_rowName = placed(new VelLabel(this), {500, 264, 152, 24});
    m_rowValueEdit = placed(new VelLineEdit(this), {592, 264, 60, 24});
    m_rowValueEdit->setObjectName(QStringLiteral("rowValueEdit"));
    m_rowValueEdit->setValidator(new QIntValidator(0, 999999, m_rowValueEdit));
    connect(m_rowValueEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
        const MacroStep step = m_editor->model()->step(m_editor->currentRow());
        if (step.isDelay())
            EditDelayChanged(text);
        else if (step.isMove())
            EditMoveChanged(text);
    });
    // A field left empty (or at a move's 0, which the row does not take) shows the row's value again.
    connect(m_rowValueEdit, &VelLineEdit::velLostFocus, this,
            [this] { showRowEditor(m_editor->currentRow()); });
    showRowEditor(-1);

    for (int mode = 0; mode < kLoopModeCount; ++mode)
        m_loopBoxes << placed(checkBox(QStringLiteral("loopMode%1").arg(mode), this),
                              {kRightX, 292 + 24 * mode, mode == 0 ? 184 : kRightWidth, 22});
    makeExclusive(m_loopBoxes, [this](int type) { m_editor->setLoopType(type); });
    m_loopCountEdit = placed(new VelLineEdit(this), {608, 292, 44, 22});
    m_loopCountEdit->setObjectName(QStringLiteral("loopCountEdit"));
    m_loopCountEdit->setValidator(new QIntValidator(0, 999, m_loopCountEdit));
    connect(m_loopCountEdit, &QLineEdit::textChanged, this, &MacroDialog::LoopTimeChanged);

    void (MacroEditor::*const tools[])() = {&MacroEditor::deleteRows,      &MacroEditor::moveRowUp,
                                            &MacroEditor::moveRowDown,     &MacroEditor::moveRowToTop,
                                            &MacroEditor::moveRowToBottom, &MacroEditor::clearRows,
                                            &MacroEditor::startKeyEditing, &MacroEditor::copyRows,
                                            &MacroEditor::cutRows,         &MacroEditor::pasteRows};
    for (size_t i = 0; i < m_rowTools.size(); ++i)
        m_rowTools[i] = addButton(kRowToolNames[i], rowToolRect(int(i)), m_editor, tools[i]);
}

void MacroDialog::setScale(double factor) {
    ConfigPage::setScale(factor);
    for (const auto &[widget, base] : m_places)
        widget->setGeometry(DisplayScale::scaled(base, factor));
    m_tree->setScale(factor);
    m_table->verticalHeader()->setDefaultSectionSize(DisplayScale::scaled(kRowHeight, factor));
    m_table->setStyleSheet(
        QStringLiteral(
            "QTableView{background:rgb(28,28,31);border:1px solid rgb(60,60,66);color:rgb(225,225,225);}"
            "QHeaderView::section{background:rgb(44,44,48);color:rgb(200,200,206);border:none;"
            "padding:2px;font-size:%1px;}")
            .arg(DisplayScale::scaled(11, factor)));
    const int delayWidth = DisplayScale::scaled(kDelayColumnWidth, factor);
    m_table->setColumnWidth(MacroActionModel::kMap,
                            DisplayScale::scaled(kTableRect.width() - 2, factor) - delayWidth);
    m_table->setColumnWidth(MacroActionModel::kDataH, delayWidth);
    const QString boxStyle = AccentColor::checkBoxStyle(factor);
    for (QCheckBox *box : findChildren<QCheckBox *>())
        box->setStyleSheet(boxStyle);
    QFont small = UiLanguage::font();
    small.setPixelSize(qMax(1, DisplayScale::scaled(11, factor)));
    for (QCheckBox *box : m_delayBoxes + m_loopBoxes)
        box->setFont(small);
    m_captureNote->setFont(small);
}

void MacroDialog::retranslate() {
    m_macroTitle->setText(tr("MACRO"));
    m_newButton->setToolTip(tr("NEW"));
    m_deleteButton->setToolTip(tr("DELETE"));
    m_batchButton->setText(tr("BATCH"));
    m_importButton->setText(tr("IMPORT"));
    m_exportButton->setText(tr("EXPORT"));
    m_gunSetButton->setText(tr("GUN SET"));
    m_nameTitle->setText(tr("MACRO NAME"));
    m_changeNameButton->setText(tr("CHANGE NAME"));
    m_editor->model()->setHeaders({tr("ACTION"), tr("DELAY(ms)")}, tr("KEY"));
    m_startButton->setText(tr("START"));
    m_stopButton->setText(tr("STOP"));
    m_recordAfterButton->setText(tr("RECORD AFTER"));
    m_delayBoxes[0]->setText(tr("RECORD DELAYS BETWEEN ACTION"));
    m_delayBoxes[1]->setText(tr("INSERT DEFAULT DELAY"));
    m_insertDelayButton->setText(tr("INSERT DELAY"));
    m_mouseActionButton->setText(tr("MOUSE ACTION"));
    const QList<QAction *> entries = m_mouseActionMenu->actions();
    for (int i = 0; i < entries.size(); ++i)
        static_cast<VelAction *>(entries[i])->setText(VelTreeWidget::entryName(i));
    m_commandTitle->setText(tr("MOUSE COMMAND"));
    m_tree->retranslate();
    m_loopBoxes[0]->setText(tr("LOOPS TIME(1-255)"));
    m_loopBoxes[1]->setText(tr("REPEAT RUN WHEN KEY DOWN"));
    m_loopBoxes[2]->setText(tr("REPEAT RUN UNTIL THE KEY DOWN"));
    m_captureNote->setText(tr("Keys and clicks are recorded only inside this window."));
    m_saveButton->setText(tr("SAVE"));
    m_cancelButton->setText(tr("CANCEL"));
    // Glyphs for the row tools that have no room for a word; the tool tips name them.
    const char *glyphs[] = {"\u2715", "\u2191", "\u2193", "\u21c8", "\u21ca", "\u232b", "\u270e"};
    const QString tips[] = {tr("DELETE"), tr("UP"),   tr("DOWN"), tr("TOP"), tr("BOTTOM"),
                            tr("CLEAR"),  tr("EDIT"), tr("COPY"), tr("CUT"), tr("PASTE")};
    for (size_t i = 0; i < m_rowTools.size(); ++i) {
        m_rowTools[i]->setToolTip(tips[i]);
        m_rowTools[i]->setText(i < 7 ? QString::fromUtf8(glyphs[i]) : tips[i]);
    }
    showRowEditor(m_editor->currentRow());
}

void MacroDialog::refresh() {
    // The page shows the macro files, not the profile: only a list changed elsewhere (korvanectl) is
    // shown again. The macro being edited stays as it is.
    if (m_editor->recording() || m_editor->editingKey())
        return;
    m_catalog->reload();
}
