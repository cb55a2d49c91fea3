#include "throughput/throughput_texts.h"

const char* const kThroughputHelpText =
    "Quorvel measures how fast data travels to a folder or a QVL Server and back.\r\n\r\n"
    "1. The test data is built in memory (1 MB = 1,048,576 bytes).\r\n"
    "2. The timer starts.\r\n"
    "3. The data is written to the folder or sent to the server.\r\n"
    "4. The timer stops once the data is on the disk or the server has it all.\r\n"
    "5. The writing figures are computed and filled in.\r\n"
    "6. The file cache is cleared, so that reading comes from the disk.\r\n"
    "7. The timer starts again.\r\n"
    "8. The file is read back into memory, or the server sends the data back.\r\n"
    "9. The timer stops at the last byte.\r\n"
    "10. The reading figures are computed and filled in.\r\n"
    "11. The file cache is cleared again.\r\n"
    "12. The test file is deleted (unless you chose to keep it).\r\n\r\n"
    "Type a folder (F:\\Public Files or \\\\server\\Public Files) or a server's name or "
    "address (with :port when it is not 4456) into 'Folder or Server IP:'. A text that starts "
    "with a drive (C:\\), with \\\\ or with a dot, or that names an existing folder, is a "
    "folder, even with dots in its path. With a QVL Server nothing is written to any disk.\r\n\r\n"
    "Mbps are megabits per second: bits per second divided by 1,000,000, as network "
    "equipment counts them. Stop Test, Escape or closing the window stops a test; a test "
    "that fails or is stopped shows no figures of its own.";

const char* const kThroughputVersionLabel = "Version 1.1.4 build 162 - a part of Tallymax";
