#pragma once
// Making the card form of a notation.

#include "views/forms/CardFormHost.h"

#include <memory>

class ICardForm;
class QWidget;

// The Japanese or the English form, a hidden child of parent, registered with
// the host's views.
std::unique_ptr<ICardForm> CreateAddrCardForm(int notation, std::unique_ptr<ICardFormHost> host,
                                              QWidget* parent);
