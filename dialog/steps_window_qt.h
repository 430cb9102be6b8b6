// Opening the "How it was rounded" window from another window of the
// dialog layer (the Operations window owns the one for its result).
#pragma once

#include <QWidget>

#include "dialog/steps_window.h"

void OpenStepsWindow(StepsSource source, const StepsHost& host, QWidget* owner);
