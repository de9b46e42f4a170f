#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The operations a data window can take back and do again. A step holds only the range of
// display lines one operation replaced (the old lines and the new ones), the selection before
// and after, and whether it was a Clear Display, which leaves the unsaved flag as it was. The
// history also knows the position where the display last matched the file.
class UndoHistory
{
public:
    static constexpr int DefaultMaxSteps = 1000;

    enum class Mode : quint8
    {
        Start, // add mode with the caption of a fresh window
        Add,
        Edit
    };

    // A selection and what the entry fields show with it. Selecting a record again shows its
    // fields; where it cannot (the new-record slot, a line that shows nothing) the fields are
    // kept.
    struct View
    {
        qint16 recordCount = 0;
        qint16 currentIndex = 0;
        Mode mode = Mode::Start;
        bool keepsFields = false;
        QStringList fields;
    };

    struct Step
    {
        int index = 0;
        QStringList removed;  // the old lines from index on
        QStringList inserted; // the lines in their place
        View before;
        View after;
        bool clear = false;
    };

    explicit UndoHistory(int maxSteps = DefaultMaxSteps) : m_maxSteps(maxSteps) {}

    // Adds a change of the display to a step being built: lines index .. index + count - 1 of
    // `display` (as it is before the change) become `lines`. The step's range grows to cover
    // it; `started` tells whether the step holds a change already.
    static void addChange(Step& step, bool& started, int index, int count, const QStringList& lines,
                          const QStringList& display);

    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position < m_steps.size(); }
    const Step& undoStep() const { return m_steps[m_position - 1]; }
    const Step& redoStep() const { return m_steps[m_position]; }
    void stepBack() { --m_position; }
    void stepForward() { ++m_position; }
    int stepCount() const { return int(m_steps.size()); }

    // A new operation: the steps that could be redone are dropped; the oldest goes beyond
    // the limit.
    void push(Step step);
    // No steps. `clean`: the display matches the file (a load); otherwise that is unknown.
    void restart(bool clean);
    // A completed save: the display matches the file here.
    void markClean() { m_clean = m_position; }

    // Whether the display at the current position holds changes the file does not: not at
    // the clean position; going forward from it, only when a step other than a Clear lies
    // between; going back from it, always.
    bool unsaved() const;

    // The memory the steps hold, their lines and fields included.
    qsizetype bytesHeld() const;

private:
    // Clean positions that no step reaches.
    static constexpr int CleanBeforeSteps = -1; // the oldest steps were dropped
    static constexpr int CleanLost = -2;        // a new operation dropped it with the redo steps

    bool changesBetween(int from, int to) const;

    QList<Step> m_steps;
    int m_position = 0;
    int m_clean = 0;
    // With the clean position before the steps: whether the display at position 0 differs.
    bool m_unsavedAtFirst = false;
    int m_maxSteps;
};
