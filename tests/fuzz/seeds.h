#pragma once
// The seed corpora of the fuzzers, written at build time by one program from the makers the
// tests use, so that no binary file is kept in the sources: one subfolder per fuzzer.

#include <QDir>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

// The file of that name in folder, the folder made as needed; throws when it cannot be
// written.
void Write(const QString& folder, const std::string& name, const std::vector<uint8_t>& bytes);

// The seeds of the seal block, document and seal library fuzzers.
void WriteFormatSeeds(const QDir& root);
