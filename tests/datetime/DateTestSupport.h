#pragma once

#include <gtest/gtest.h>

#include <string>

#include "DateClasses.h"
#include "Datum.h"
#include "Zeit.h"

namespace tulma {

inline std::string Fields(const TDatum& Date) {
    return std::to_string(Date.Tag) + "." + std::to_string(Date.Monat) + "." + std::to_string(Date.Jahr);
}

inline std::string Fields(const TZeit& Time) {
    return std::to_string(Time.Stunde) + ":" + std::to_string(Time.Minute) + ":" +
           std::to_string(Time.Sekunde);
}

// Pins Today to a known date for one test and gives the start-up value back afterwards.
class FixedTodayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Saved.SetDate(Today().Tag, Today().Monat, Today().Jahr);
        Today().SetDate(15, 6, 2024);
    }
    void TearDown() override { Today().SetDate(Saved.Tag, Saved.Monat, Saved.Jahr); }

  private:
    TDatum Saved;
};

}  // namespace tulma
