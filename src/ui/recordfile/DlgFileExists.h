#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// Asked before a named file replaces the displayed records. Only its two buttons close it.
class DlgFileExists : public QDialog
{
    Q_OBJECT
public:
    explicit DlgFileExists(QWidget* owner);

    void SetFilename(const QString& fileName);
    // True for "Open Existing File", false for "Use Displayed Values"; kept after closing.
    void GetOpenStatus(bool& status) const { status = m_openStatus; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void choose(bool openExisting);

    QString m_fileName;
    bool m_openStatus = false;
    QLineEdit* m_message;
    QPushButton* m_new;
};
