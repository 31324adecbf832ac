# cmake -DIN=<file> -DOUT=<file.gz> -P GzipFile.cmake: OUT is IN, gzip-compressed.
file(ARCHIVE_CREATE OUTPUT "${OUT}.part" PATHS "${IN}" FORMAT raw COMPRESSION GZip
     COMPRESSION_LEVEL 9)
file(RENAME "${OUT}.part" "${OUT}")
