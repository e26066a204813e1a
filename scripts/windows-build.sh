# SPDX-License-Identifier: MIT
# Urdiva for Windows (x86-64), built here: sourced by scripts/cross-test and
# scripts/package-windows, after scripts/deps.sh, with `root` set to the work tree.
#   windows_qt     Qt, cross-built once from Debian's own qt6-base source with Debian's MinGW-w64
#                  into a cache folder outside the work tree keyed by the Qt package's version
#                  (later runs reuse it); sets QT_MINGW
#   windows_minizip  minizip, built the same way from Debian's minizip source into the cache
#                  beside Qt; sets MINIZIP_MINGW (zlib is Debian's own libz-mingw-w64-dev)
#   windows_expat  expat, the same way from Debian's expat source; sets EXPAT_MINGW
#   windows_build  the engine, the command line, the window and the tests in build-windows, with
#                  wine set up to run them

WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools
                  qt6-translations-l10n dpkg-dev xz-utils wine wine64 nsis zip unzip xvfb xauth
                  libminizip-dev libexpat1-dev libz-mingw-w64-dev python3-openpyxl python3-odf)

windows_qt() {
    need_packages "${WINDOWS_PACKAGES[@]}"
    local version cache
    # This machine's own Qt (a multiarch machine may hold others beside it).
    version="$(dpkg-query -W -f='${Version}' "qt6-base-dev:$(dpkg --print-architecture)")"
    cache="${URDIVA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/urdiva}"
    QT_MINGW="$cache/qt-$version-mingw64"
    if [ -f "$QT_MINGW/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
        echo "Qt for Windows: $QT_MINGW (built before)"
        windows_qt_texts
        return 0
    fi
    mkdir -p "$cache"
    local work start
    work="$(mktemp -d "$cache/qt-build.XXXXXX")"
    chmod 755 "$work" # apt fetches as its own user, _apt
    start=$(date +%s)
    windows_debian_source "$work" "qt6-base=$version"
    # Only Core, Gui, Widgets and Network; no OpenGL at all (qwindowswindow.cpp needs
    # QOpenGLStaticContext otherwise); the Debian tarball lacks the wintab code behind tablet
    # events; without ICU, QCollator uses Windows' own collation; Schannel serves TLS.
    cmake -S "$work/src" -B "$work/build" -G Ninja -Wno-dev \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/x86_64-w64-mingw32.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$QT_MINGW" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DBUILD_WITH_PCH=OFF -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_icu=OFF -DFEATURE_sql=OFF -DFEATURE_testlib=OFF \
        -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF \
        -DFEATURE_vulkan=OFF -DFEATURE_openssl=OFF -DFEATURE_schannel=ON \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
        -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_jpeg=OFF \
        -DFEATURE_system_doubleconversion=OFF >"$work/configure.log"
    cmake --build "$work/build" --parallel "$(nproc)"
    cmake --install "$work/build" >/dev/null
    rm -rf "$work"
    windows_qt_texts
    echo "Qt for Windows built in $(( $(date +%s) - start )) s: $QT_MINGW"
}

# The source package from the mirrors this machine already uses, through a sources file and lists
# of the script's own (the machine's apt set-up stays as it was), unpacked into `work`/src.
windows_debian_source() {
    local work="$1" package="$2"
    apt-get indextargets --format 'deb-src $(SITE) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' |
        sort -u >"$work/sources.list"
    mkdir -p "$work/lists/partial"
    local apt=(apt-get -q -o "Dir::Etc::SourceList=$work/sources.list"
               -o "Dir::Etc::SourceParts=$work/none" -o "Dir::State::Lists=$work/lists")
    "${apt[@]}" update >/dev/null 2>&1 || "${apt[@]}" update
    (cd "$work" && "${apt[@]}" source --download-only "$package" >/dev/null 2>&1) || true
    if ! compgen -G "$work/*.dsc" >/dev/null; then
        # A mirror may lack the source of a security update: the newest source it has instead.
        local name="${package%%=*}" version
        for version in $(apt-cache -o "Dir::Etc::SourceList=$work/sources.list" \
                -o "Dir::Etc::SourceParts=$work/none" -o "Dir::State::Lists=$work/lists" \
                showsrc "$name" 2>/dev/null | awk '/^Version:/ {print $2}' | sort -rV -u); do
            (cd "$work" && "${apt[@]}" source --download-only "$name=$version" >/dev/null 2>&1) &&
                echo "$name: Debian's source $version (the mirror lacks ${package#*=})" && break
        done
    fi
    dpkg-source -x "$work"/*.dsc "$work/src" >/dev/null
}

# A library for Windows, built once from the Debian source of this machine's development package
# into the cache beside Qt: windows_library VARIABLE SOURCE PACKAGE MARKER BUILD sets VARIABLE to
# its folder, complete once it holds MARKER (a path inside it). BUILD is called with the unpacked
# source and the folder to fill.
windows_library() {
    local variable="$1" source="$2" package="$3" marker="$4" build="$5"
    need_packages "${WINDOWS_PACKAGES[@]}"
    local version cache folder work
    version="$(dpkg-query -W -f='${Version}' "$package:$(dpkg --print-architecture)")"
    cache="${URDIVA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/urdiva}"
    folder="$cache/$source-$version-mingw64"
    printf -v "$variable" '%s' "$folder"
    [ -f "$folder/$marker" ] && return 0
    mkdir -p "$cache"
    work="$(mktemp -d "$cache/$source-build.XXXXXX")"
    chmod 755 "$work" # apt fetches as its own user, _apt
    windows_debian_source "$work" "$source=$version"
    "$build" "$work/src" "$folder"
    rm -rf "$work"
    echo "$source for Windows: $folder"
}

# minizip (its reader, and the writer the tests make workbooks with) as a static library.
windows_minizip() {
    windows_library MINIZIP_MINGW minizip libminizip-dev include/minizip/zip.h build_minizip
}

build_minizip() {
    local src="$1" folder="$2" file
    mkdir -p "$folder/include/minizip" "$folder/lib"
    for file in unzip zip ioapi; do
        x86_64-w64-mingw32-gcc-posix -O2 -c "$src/$file.c" -o "$src/$file.o"
    done
    x86_64-w64-mingw32-ar rcs "$folder/lib/libminizip.a" "$src/unzip.o" "$src/zip.o" "$src/ioapi.o"
    cp "$src/unzip.h" "$src/zip.h" "$src/ioapi.h" "$folder/include/minizip/"
}

# expat as a static library, with its CMake package where the "windows" preset looks for it.
windows_expat() {
    windows_library EXPAT_MINGW expat libexpat1-dev lib/cmake/expat/expat-config.cmake build_expat
}

build_expat() {
    local src="$1" folder="$2"
    # The library's CMake project is in expat/ of the source, or at its top.
    local project="$src/expat"
    [ -f "$project/CMakeLists.txt" ] || project="$src"
    # Without parameter entities and external DTDs, which no workbook uses (Debian's patches test
    # XML_DTD as a number, which expat's CMake build defines empty).
    cmake -S "$project" -B "$src/build" -G Ninja -Wno-dev \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/x86_64-w64-mingw32.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$folder" -DEXPAT_DTD=OFF \
        -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF \
        -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_PKGCONFIG=OFF >"$src/configure.log"
    cmake --build "$src/build"
    cmake --install "$src/build" >/dev/null
    # The package's folder without its version, so that the preset names it once.
    mv "$folder"/lib/cmake/expat-* "$folder/lib/cmake/expat"
}

# Qt's Portuguese texts (Debian's, the same for every platform) where Qt for Windows looks for
# them, so that the tests see the window's buttons as a user does.
windows_qt_texts() {
    mkdir -p "$QT_MINGW/translations"
    cp /usr/share/qt6/translations/qtbase_pt_BR.qm "$QT_MINGW/translations/"
}

# The MinGW C++ runtime's DLLs (libstdc++, libgcc_s, winpthread), which Qt's DLLs need too.
windows_runtime_dlls() {
    local gcc
    gcc="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
    echo "$gcc/libstdc++-6.dll" "$gcc/libgcc_s_seh-1.dll" /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll
}

# WINEPATH for programs run from the build: Qt's DLLs and the runtime's, as wine's Z: drive.
windows_wine_path() {
    local gcc
    gcc="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
    local folder out=""
    for folder in "$QT_MINGW/bin" "$gcc" /usr/x86_64-w64-mingw32/lib; do
        out+="Z:${folder//\//\\};"
    done
    echo "${out%;}"
}

windows_build() {
    windows_qt
    # A wine prefix of the script's own, beside the cached Qt; quiet, and without a display.
    export WINEPREFIX="$(dirname "$QT_MINGW")/wine-prefix" WINEDEBUG=-all
    # Windows takes its regional settings from the user, not from LC_ALL per program: wine from
    # the locale its server starts in. The tests expect Brazilian Portuguese, as on Linux.
    export LC_ALL=pt_BR.UTF-8 LANG=pt_BR.UTF-8 2>/dev/null
    wineserver -k 2>/dev/null || true
    export WINEPATH="$(windows_wine_path)"
    export QT_QPA_PLATFORM=offscreen
    # Boost is header-only: its headers alone, never the rest of this machine's /usr/include.
    mkdir -p "$root/build-windows/boost-headers"
    ln -sfn /usr/include/boost "$root/build-windows/boost-headers/boost"
    windows_minizip
    windows_expat
    # The "windows" preset finds Qt through QT_MINGW, minizip through MINIZIP_MINGW and expat
    # through EXPAT_MINGW.
    (cd "$root" && QT_MINGW="$QT_MINGW" MINIZIP_MINGW="$MINIZIP_MINGW" EXPAT_MINGW="$EXPAT_MINGW" \
        cmake --preset windows &&
        cmake --build --preset windows)
}
