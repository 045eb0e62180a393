#pragma once

#include "gunset/gun_steps.h"
#include "widgets/display_scale.h"
#include "widgets/vel_skin_dialog.h"

#include <QVector>

class QLineEdit;
class QSpinBox;
class VelLabel;
class VelMenu;

// The gun set dialog: builds a gun file, a macro that fires a short burst with the left button and pulls
// the pointer after each shot. The user names the file, picks how many bullets (1 to 5) and gives each its
// wait and its pull; Ok hands back the name and the steps, which the macro page stores as a new macro.
//
// Usage: VelGunsetDialog dialog(scale, page); if (dialog.exec() == QDialog::Accepted)
// save(dialog.fileName(), dialog.steps());
class VelGunsetDialog : public VelSkinDialog {
    Q_OBJECT
public:
    static constexpr int kBaseWidth = 520;
    static constexpr int kBaseHeight = 420;
    static constexpr int kMaxBullets = 5;

    explicit VelGunsetDialog(double scale = DisplayScale::factor(), QWidget *parent = nullptr);

    QString fileName() const { return m_fileName; }
    QVector<MacroStep> steps() const { return m_steps; }

public slots:
    // Ok: a name that is empty or blank is refused with a message and the dialog stays open; otherwise the
    // name (without blanks at its ends) and the steps are kept and the dialog accepted.
    void OnYesClick();

private:
    struct BulletRow {
        QWidget *row;
        QSpinBox *delay;
        QSpinBox *vertical;
        QSpinBox *horizontal;
    };

    void buildBulletMenu();
    BulletRow addRow(int index);
    void setBulletCount(int count);
    // The shown rows' values, first bullet first.
    QVector<GunBullet> bullets() const;

    QLineEdit *m_nameEdit = nullptr;
    VelMenu *m_bulletMenu = nullptr;
    VelLabel *m_countLabel = nullptr;
    QWidget *m_rowArea = nullptr;
    QVector<BulletRow> m_rows;
    int m_bulletCount = 0;
    QString m_fileName;
    QVector<MacroStep> m_steps;
};
