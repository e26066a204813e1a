#include "suppression.h"

namespace urdiva {

QString SuprimirCaractere(const SuppressionRule& /*rule*/, const QString& palavra)
{
    // Stripping is not wired in yet: every field passes through unchanged, which is exactly what a
    // rule without characters does.
    return palavra;
}

} // namespace urdiva
