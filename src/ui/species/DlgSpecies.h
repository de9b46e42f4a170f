#pragma once

#include "species/SpeciesDialogLayout.h"

#include "app/ButtonsOnlyDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Looks up a species code by variant and writes it into the caller's Species field.
// Built afresh for every opening; only the last variant chosen outlives it, in modGlobal.
class DlgSpecies : public ButtonsOnlyDialog
{
    Q_OBJECT

public:
    DlgSpecies(QWidget* owner, QLineEdit* speciesField);

    // Newspaper columns the species list shows now.
    int columnCount() const { return layout_.columns; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void variantChosen(int index);
    void confirm();
    void applyColumns();
    void showCutEntriesWhole();

    QLineEdit* speciesField_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    QComboBox* cboVariant_;
    QLabel* label1_;
    QListWidget* lstSpecies_;
    SpeciesDialogLayout layout_;
};
