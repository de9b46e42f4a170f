#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

// Shown at launch; closes itself after three seconds or at the first key or click and opens
// the first data window: the tree data window, unless changes are recovered into another.
class FrmSplash : public QWidget
{
    Q_OBJECT
public:
    FrmSplash();

    // Runs once, whichever event comes first.
    void CloseSplash();
    bool isClosing() const { return m_closing; }

Q_SIGNALS:
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool handleKey(QKeyEvent* event);

    QLabel* m_version;
    QPushButton* m_ok;
    QTimer* m_timer;
    bool m_closing = false;
};
