#include "UserInterfaceSwitch.h"

UserInterface*& UserInterfaceSwitch::standIn()
{
    static UserInterface* current = nullptr;
    return current;
}

void UserInterfaceSwitch::installStandIn(UserInterface* standIn)
{
    UserInterfaceSwitch::standIn() = standIn;
}
