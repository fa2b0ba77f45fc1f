#!/usr/bin/env bash
# Packs the Windows build's program folder (build-win/kora/, made by
# scripts/build.sh --windows) into kora-editor-<version>-win64.zip, with a
# short README.txt in Chinese and English. The zip holds one folder,
# kora-editor-<version>/, which runs where it is unpacked.
# Usage: scripts/package-windows.sh [OUTPUT_FOLDER]   (default: build-win/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-win"
out=$(mkdir -p "${1:-$build}" && cd "${1:-$build}" && pwd)
for part in kora-editor.exe kora-cli.exe Tool/agblz.exe Data Image RomData; do
  [ -e "$build/kora/$part" ] || { echo "package-windows: $build/kora/$part is missing (scripts/build.sh --windows)" >&2; exit 1; }
done
command -v zip > /dev/null || { echo "package-windows: zip is missing (scripts/install-deps.sh --windows)" >&2; exit 1; }
version=$(sed -n 's/^project(KoraEditor VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "package-windows: no version in CMakeLists.txt" >&2; exit 1; }
name="kora-editor-$version"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# RomData/ goes empty: the build's working files are not part of the program.
mkdir -p "$stage/$name/RomData" "$stage/$name/Tool"
# Without the build's debugging information (most of each file).
for exe in kora-editor.exe kora-cli.exe Tool/agblz.exe; do
  x86_64-w64-mingw32-strip -o "$stage/$name/$exe" "$build/kora/$exe"
done
cp -r "$build/kora/Data" "$build/kora/Image" "$stage/$name/"
# UTF-8 with its mark and CRLF line ends, as Notepad reads it everywhere.
{ printf '\357\273\277'; sed 's/$/\r/'; } > "$stage/$name/README.txt" <<TEXT
Kora Editor $version (Windows, 64 位)

解压后直接运行 kora-editor.exe, 不需要安装。
用 "文件" > "选择ROM" (Ctrl+O) 打开 NDS ROM, 修改人物、职业和武器道具的
数值, 在该页按 "确定", 再用 "保存数据" (Ctrl+S) 写回 ROM。第一次保存时,
原来的 ROM 会保存在旁边, 名为 <文件名>.bak。
工作文件放在 RomData\\ 中, 所以本文件夹必须可以写入。一个文件夹同时只能
运行一个编辑器。
kora-cli.exe 是命令行工具 (kora-cli --help); Tool\\agblz.exe 是打包程序。

Unpack and run kora-editor.exe; nothing needs installing.
Open an NDS ROM with "文件" > "选择ROM" (Ctrl+O), change the numbers of the
characters, classes and items, press "确定" on the page, then save with
"保存数据" (Ctrl+S). The first save keeps the original ROM beside it as
<file name>.bak.
Working files go to RomData\\, so this folder must be writable; one editor
works in a folder at a time.
kora-cli.exe is the command-line tool (kora-cli --help); Tool\\agblz.exe is
the packer the editor runs.
TEXT
zip_file="$out/$name-win64.zip"
rm -f "$zip_file"
(cd "$stage" && zip -qr -X "$zip_file" "$name")
echo "$zip_file"
