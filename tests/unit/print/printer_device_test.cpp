#include "app/printer_device.h"

#include <gtest/gtest.h>

TEST(PrinterDevice, SplitsWhatWineReportsForACupsPrinter)
{
    PrinterDevice device;
    ASSERT_TRUE(SplitPrinterDevice(L"PDF,wineps.drv,CUPS:PDF", device));
    EXPECT_EQ(L"PDF", device.device);
    EXPECT_EQ(L"wineps.drv", device.driver);
    EXPECT_EQ(L"CUPS:PDF", device.port);
}

TEST(PrinterDevice, TheDeviceNameMayHoldSpacesButDriverAndPortEndAtOne)
{
    PrinterDevice device;
    ASSERT_TRUE(SplitPrinterDevice(L"Office Laser 4,winspool, LPT1: extra", device));
    EXPECT_EQ(L"Office Laser 4", device.device);
    EXPECT_EQ(L"winspool", device.driver);
    EXPECT_EQ(L"LPT1:", device.port);
}

TEST(PrinterDevice, RunsOfSeparatorsBeforeATokenCountAsOne)
{
    PrinterDevice device;
    ASSERT_TRUE(SplitPrinterDevice(L"P,, ,drv ,,, port", device));
    EXPECT_EQ(L"P", device.device);
    EXPECT_EQ(L"drv", device.driver);
    EXPECT_EQ(L"port", device.port);
}

TEST(PrinterDevice, TheDefaultValueAndMissingPartsNameNoPrinter)
{
    PrinterDevice device;
    EXPECT_FALSE(SplitPrinterDevice(L",,,", device));
    EXPECT_FALSE(SplitPrinterDevice(L"", device));
    EXPECT_FALSE(SplitPrinterDevice(L"PDF", device));
    EXPECT_FALSE(SplitPrinterDevice(L"PDF,wineps.drv", device));
    EXPECT_FALSE(SplitPrinterDevice(L"PDF,wineps.drv,", device));
    EXPECT_FALSE(SplitPrinterDevice(L",wineps.drv,CUPS:PDF", device)) << "no device name";
}
