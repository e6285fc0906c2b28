#pragma once
// The curve table's own errors ("Index de grille hors limites",
// "Cell does not contain integer value").
#include "core/Exceptions.h"

class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};
