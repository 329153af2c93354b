/* LEDGERNOVA_API marks what the shared library exports. The library's own objects are compiled
 * with hidden visibility, so anything left unmarked stays internal and cannot become part of the
 * ABI by accident. Plain C99, because ledgernova.h includes it. */
#ifndef LEDGERNOVA_EXPORT_H
#define LEDGERNOVA_EXPORT_H

#if defined(__GNUC__) || defined(__clang__)
#define LEDGERNOVA_API __attribute__((visibility("default")))
#else
#define LEDGERNOVA_API
#endif

#endif /* LEDGERNOVA_EXPORT_H */
