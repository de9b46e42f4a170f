#pragma once

#include "app/DataWindow.h"
#include "location/LocRecord.h"

#include <QMap>

class LocationWindowLogic;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class RecordListView;

// The location data window: the Locations File, the last window of the chain.
class FrmLocData : public DataWindow
{
    Q_OBJECT
public:
    FrmLocData();

    RecordFileLogic& logic() override;

private:
    void buildTypeA();
    void buildTypeB();
    QLineEdit* fieldBox(QWidget* parent, LocRecord::Field field, int left, int top, int width,
                        int height);
    // Labels, boxes and Browse buttons of the kind of record being entered.
    void applyType(bool typeB);

    LocationWindowLogic* m_logic;
    QMap<LocRecord::Field, QLineEdit*> m_fields;
    QRadioButton* m_typeA = nullptr;
    QRadioButton* m_typeB = nullptr;
    QList<QWidget*> m_typeAControls; // labels and Browse button of the A fields
    QList<QWidget*> m_typeBControls;
};
