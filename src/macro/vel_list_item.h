#pragma once

#include <QWidget>

class QCheckBox;
class VelLabel;
class VelLineEdit;

// One macro of the macro page's list: its name, a check box shown in batch mode, and a name editor that
// opens on a double click and hands the new name over when it closes.
class VelListItem : public QWidget {
    Q_OBJECT
public:
    explicit VelListItem(const QString &name, QWidget *parent = nullptr);
    QString name() const { return m_name; }
    void setName(const QString &name);
    void setBatch(bool batch);
    bool isTicked() const;

signals:
    // The user typed a new name into the item's editor.
    void renameRequested(const QString &name);

public slots:
    // Opens the name editor.
    void editPressSlot();
    // Closes the name editor, handing over a changed name.
    void lostFocusSlot();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QString m_name;
    QCheckBox *m_box;
    VelLabel *m_label;
    VelLineEdit *m_editor;
};
