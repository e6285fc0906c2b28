#include "engine/TDessin.h"

TDessin Dessin;
