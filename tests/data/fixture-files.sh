# Sourced by the fixture scripts: the files their archives are made of,
# written into the current folder.

# numbered_files FORMAT COUNT: files named by the printf FORMAT for 1 to
# COUNT, each holding its own name and a line break.
numbered_files() {
    i=1
    while [ $i -le "$2" ]; do
        n=$(printf "$1" $i)
        echo "$n" > "$n"
        i=$((i + 1))
    done
}

# long_path_file A B C: a file whose path is 300 bytes long, two folders of
# 100 letters A and B and a name of 94 letters C with ".txt"; prints the path.
long_path_file() {
    folder="$(printf "$1%.0s" $(seq 100))/$(printf "$2%.0s" $(seq 100))"
    mkdir -p "$folder"
    echo long > "$folder/$(printf "$3%.0s" $(seq 94)).txt"
    echo "$folder/$(printf "$3%.0s" $(seq 94)).txt"
}
