// Helpers of the records archive tests: generated people with every kind of
// field (lunar and leap births, quotes, commas and line breaks in the texts)
// and CSV files written from them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "records/person.h"

namespace hehun::test {

// `count` valid people, the same for the same seed.
std::vector<records::Person> GeneratedPeople(int count, unsigned seed);

// The CSV text of people: byte-order mark, header, one row each.
std::string CsvOfPeople(const std::vector<records::Person>& people);

void WriteText(const std::filesystem::path& path, const std::string& text);

// The stored fields of two people agree (number and times aside).
void ExpectSameFields(const records::Person& expected, const records::Person& actual, const std::string& where);

}  // namespace hehun::test
