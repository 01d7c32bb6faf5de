# Builds Orlivane with Visual Studio's compiler and starts it. Run it from a
# "Developer PowerShell for VS 2022" (which puts cl, CMake and Ninja on the path):
#   powershell -ExecutionPolicy Bypass -File scripts\run.ps1 [-DNAME=VALUE ...]
# -D options go to the CMake configure step, for example
#   -DORLIVANE_HOSTING_DOMAIN=.hosting.example.net
# Windows opens the .rdp files it writes in its own Remote Desktop client.
$ErrorActionPreference = 'Stop'
$root = Split-Path -Parent $PSScriptRoot
$build = Join-Path $root 'build\msvc'

foreach ($tool in 'cmake', 'ninja', 'cl') {
    if (-not (Get-Command $tool -ErrorAction SilentlyContinue)) {
        throw "$tool is not on the path: run this from a Developer PowerShell for VS 2022"
    }
}
foreach ($argument in $args) {
    if ($argument -notlike '-D?*') { throw "unknown argument '$argument' (only -DNAME=VALUE)" }
}

& cmake -S $root -B $build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF @args
if ($LASTEXITCODE -ne 0) { exit $LASTEXITCODE }
& cmake --build $build --target orlivane
if ($LASTEXITCODE -ne 0) { exit $LASTEXITCODE }
Start-Process -FilePath (Join-Path $build 'app\orlivane.exe')
