#pragma once

// Registers the pictures compiled into the widgets library; safe to call more than once.
void initSapwrightResources();
